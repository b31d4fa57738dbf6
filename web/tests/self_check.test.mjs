// File ▸ Check against cases…: the program opened in the page against a case file, as
// --grade runs a submission: its visible cases in a table with the same reasons, its
// hidden ones counted; a case file at fault said in a message box.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { launch, openWorkbench } from './browser.mjs';
import { answerBox, openFile, settled } from './helpers.mjs';

// Writes back the line IN reads; a tab after an operand is warned about.
const ECHO = 'E   START\r\n    IN  BUF,LEN\r\n    OUT BUF,LEN\r\n    EXIT\r\nBUF DS  10\r\nLEN DC  1\tX\r\n    END\r\n';
const CASES = '[[case]]\nname = "echo"\ninput = ["5"]\noutput = ["5"]\n'
  + '[[case]]\nname = "twice"\npoints = 2\ninput = ["7"]\noutput = ["7", "7"]\n'
  + '[[case]]\nname = "secret"\nhidden = true\ninput = ["x"]\noutput = ["y"]\n';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const pickCases = (page, name, text) => page.setInputFiles('#casesPicker', { name, mimeType: 'text/plain', buffer: Buffer.from(text) });

test('the File menu offers it, and the table shows the visible cases with their reasons', async () => {
  const { page, errors } = await openWorkbench(browser.context);
  assert.equal(await page.textContent('#fileCheck'), 'Check against cases…');
  await openFile(page, 'echo.casl', ECHO);
  await pickCases(page, 'cases.toml', CASES);
  await page.waitForSelector('#selfCheck[open]');
  assert.equal(await page.textContent('#selfCheckScore'), 'Score: 1 of 4 points');
  assert.equal(await page.textContent('#selfCheckHidden'), 'Hidden cases: 1, 0 passed');
  assert.equal(await page.textContent('#selfCheckWarnings'), '6:10  warning: a tab is not a separator here: use blanks');
  const cells = await page.$$eval('#selfCheckTable tbody tr', (rows) => rows.map((r) => [...r.cells].map((c) => c.textContent)));
  assert.deepEqual(cells, [['echo', 'passed', ''], ['twice', 'failed (wrong-output)', 'output line 2 is missing, expected "7"']]);
  await page.screenshot({ path: join(process.env.COMET_WEB_SHOTS ?? '/tmp', 'comet-workbench-self-check.png') });
  await page.click('#selfCheck .ok');
  await settled(page);
  assert.deepEqual(errors, []);
  await page.close();
});

test('a case file at fault is named with its line and problem', async () => {
  const { page, errors } = await openWorkbench(browser.context);
  await pickCases(page, 'bad.toml', '[[case]]\nname = "a"\nmatch = "fuzzy"\n');
  const shown = await answerBox(page, 'messageBox', 'ok');
  assert.equal(shown.title, 'Check against cases');
  assert.equal(shown.text, 'bad.toml:3:9: match must be "exact", "trim", "ignore-case" or "regex"');
  assert.deepEqual(errors, []);
  await page.close();
});
