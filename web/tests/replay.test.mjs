// Every golden session of tests/sessions/ replayed through the WebAssembly build of the
// headless program under Node: the exact standard output, standard error and exit status
// that the desktop build is held to.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { buildDir, repoDir } from './paths.mjs';

const program = join(buildDir, 'wasm', 'comet-workbench.js');
const sessions = join(repoDir, 'tests', 'sessions');

const optional = (path, fallback) => (existsSync(path) ? readFileSync(path, 'utf8') : fallback);

function expectRun(args, casePath, expectedOut, stdinPath, cwd = undefined) {
  const run = spawnSync(process.execPath, [program, ...args], {
    cwd,
    input: stdinPath ? readFileSync(stdinPath) : '',
    encoding: 'utf8',
    maxBuffer: 64 << 20,
  });
  assert.equal(run.error, undefined);
  assert.equal(run.stdout, expectedOut);
  assert.equal(run.stderr, optional(`${casePath}.stderr`, ''));
  assert.equal(run.status, Number(optional(`${casePath}.status`, '0').trim()));
}

for (const file of readdirSync(sessions).filter((f) => f.endsWith('.script')).sort()) {
  const name = file.slice(0, -'.script'.length);
  const casePath = join(sessions, name);
  test(`session ${name}`, () => {
    // In its folder, as CTest runs it, where "open" finds the programs of files/.
    expectRun(['--script', `${casePath}.script`], casePath, readFileSync(`${casePath}.expected`, 'utf8'), undefined, sessions);
  });
}

test('session startup read from standard input', () => {
  const casePath = join(sessions, 'startup');
  expectRun(['--script', '-'], casePath, readFileSync(`${casePath}.expected`, 'utf8'), `${casePath}.script`);
});

const batch = join(sessions, 'batch');
for (const file of readdirSync(batch).filter((f) => f.endsWith('.casl')).sort()) {
  const name = file.slice(0, -'.casl'.length);
  const casePath = join(batch, name);
  test(`batch ${name}`, () => {
    const extra = optional(`${casePath}.args`, '').trim().split(/\s+/).filter(Boolean);
    const stdin = existsSync(`${casePath}.stdin`) ? `${casePath}.stdin` : undefined;
    // Run in its folder, as CTest runs it, so that its messages name the file as NAME.casl.
    expectRun(['--run', `${name}.casl`, ...extra], casePath, optional(`${casePath}.stdout`, ''), stdin, batch);
  });
}
