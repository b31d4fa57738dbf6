// Run Mode speed, printed and never asserted: instructions a second of one Run Mode
// press of a counting loop of about 12 million steps, in the page (WebAssembly, with
// its pauses and repaints) against the desktop's headless program (--run) on the same
// machine in the same run, and the WebAssembly headless program under Node.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launch, openWorkbench } from './browser.mjs';
import { buildDir, repoDir } from './paths.mjs';

// 2 + 3995 × (1 + 3 × 1000 + 3) steps: an inner loop of 1000 rounds inside an outer one.
const STEPS = 2 + 3995 * 3004;
const SOURCE = [
  '      LEA  GR2,0',
  'OUTER LEA  GR1,0',
  'INNER ADD  GR1,ONE',
  '      CPA  GR1,N',
  '      JNZ  INNER',
  '      ADD  GR2,ONE',
  '      CPA  GR2,M',
  '      JNZ  OUTER',
  '      EXIT',
  'ONE   DC   1',
  'N     DC   1000',
  'M     DC   3995',
  '',
].join('\r\n');

let browser;
let work;
before(async () => {
  browser = await launch();
  work = mkdtempSync(join(tmpdir(), 'comet-speed-'));
  writeFileSync(join(work, 'count.casl'), SOURCE);
});
after(async () => {
  await browser.close();
  rmSync(work, { recursive: true, force: true });
});

const rate = (seconds) => `${(STEPS / seconds / 1e6).toFixed(1)} million instructions/s (${seconds.toFixed(2)} s)`;

// Seconds for `--run` of the loop to EXIT (status 0).
function timeRun(command, args) {
  const start = process.hrtime.bigint();
  const run = spawnSync(command, [...args, '--run', join(work, 'count.casl'), '--max-steps', String(STEPS + 10)]);
  const seconds = Number(process.hrtime.bigint() - start) / 1e9;
  assert.equal(run.status, 0, String(run.stderr));
  return seconds;
}

test(`Run Mode speed over ${STEPS} steps`, async (t) => {
  const { page, errors } = await openWorkbench(browser.context);
  await page.setInputFiles('#filePicker', join(work, 'count.casl'));
  await page.waitForFunction(() => document.querySelector('#Text1 .cm-content').textContent.includes('OUTER'));
  await page.click('#Command1');
  await page.click('#Label3');
  const seconds = await page.evaluate(() => new Promise((resolve) => {
    const start = performance.now();
    const progress = document.getElementById('runProgress');
    document.getElementById('Command2').click();
    const poll = () => {
      if (document.body.dataset.busy !== 'true' && !progress.open) resolve((performance.now() - start) / 1000);
      else setTimeout(poll, 20);
    };
    setTimeout(poll, 20);
  }));
  assert.equal(await page.inputValue('#txtGR6'), '0000');  // EXIT ran
  assert.deepEqual(errors, []);
  t.diagnostic(`page (WebAssembly, Chromium): ${rate(seconds)}`);

  t.diagnostic(`headless program, WebAssembly under Node: ${rate(timeRun(process.execPath, [join(buildDir, 'wasm', 'comet-workbench.js')]))}`);
  const desktop = join(repoDir, 'build', 'comet-workbench');
  if (existsSync(desktop)) t.diagnostic(`desktop headless program (native): ${rate(timeRun(desktop, []))}`);
  else t.diagnostic(`no desktop build at ${desktop} to compare with`);
  await page.close();
});
