// The browser build reads and writes every CP932 code as the desktop does: its own
// converter, run under Node, prints the golden list the desktop's converter made.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { closeSync, mkdtempSync, openSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { buildDir, repoDir } from './paths.mjs';

test('every CP932 code reads and writes back as on the desktop', () => {
  // Into a file: a pipe that fills up would drop what the program writes after it.
  const dir = mkdtempSync(join(tmpdir(), 'comet-cp932-'));
  const listed = join(dir, 'codes.txt');
  const out = openSync(listed, 'w');
  const run = spawnSync(process.execPath, [join(buildDir, 'wasm', 'cp932_codes.js')], { stdio: ['ignore', out, 'pipe'] });
  closeSync(out);
  const actual = readFileSync(listed, 'utf8');
  rmSync(dir, { recursive: true });
  assert.equal(run.error, undefined);
  assert.equal(run.status, 0);
  assert.equal(actual, readFileSync(join(repoDir, 'tests', 'cp932', 'codes.txt'), 'utf8'));
});
