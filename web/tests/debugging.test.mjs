// The page shows where things are and offers the debugging aids, all drawn from the
// logic's state: problem marks, tooltips and the problem list; the PC's line, a step's
// changes and the status line; breakpoints, Back, Reset, Run to cursor and watched runs.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launch, openWorkbench } from './browser.mjs';
import {
  answerBox, assembledPage, box, boxes, clickGutter, editorText, goldenLines, linesWith, markedRows, openFile, rows, settled, status,
} from './helpers.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const PROBLEMS = 'S1    START\n      LD    GR0,X\n123   LD    GR1,ONE\n      JMP   NOWHERE\n      EXIT\nONE   DC    1\n      END\n';

// The text of the tooltip shown while the mouse rests on `selector`.
async function tooltipOf(page, selector) {
  await page.hover(selector);
  return (await page.waitForSelector('.cm-tooltip-lint')).textContent();
}

test('the last ASM\'s problems: marks, underlines, tooltips, the list and its count', async () => {
  const { page } = await openWorkbench(browser.context);
  await openFile(page, 'problems.casl', PROBLEMS);
  await page.click('#Command1');
  for (let i = 0; i < 3; i++) await answerBox(page, 'messageBox', 'ok');
  await settled(page);
  assert.equal(await page.textContent('#problemCount'), '1 error, 2 undefined names');
  assert.deepEqual(await linesWith(page, '.cm-lint-marker-error'), [2, 3, 4]);
  assert.deepEqual(await page.$$eval('.cm-lintRange', (r) => r.map((u) => u.textContent)), ['X', '123', 'NOWHERE']);
  await clickGutter(page, 5);
  await page.click('#problemCount');
  // The tooltip explains the message: what it means, and what its address is.
  assert.equal(await tooltipOf(page, '.cm-lintRange-error >> text=123'), 'Syntax Error (Address=2)\nAddress 0002 in hexadecimal\n' +
    'A statement begins with a label or an instruction; 123 is a number. A label begins with a letter.\n' +
    'Address=2 is where the statement on line 3 would have been placed.');
  await page.screenshot({ path: join(process.env.COMET_WEB_SHOTS ?? tmpdir(), 'comet-workbench-problems.png') });

  assert.deepEqual(await rows(page, 'problemList'),
    ['3:1  error: Syntax Error (Address=2)', '2:17  undefined name: X が未定義です', '4:13  undefined name: NOWHERE が未定義です']);
  // The third row puts the caret before NOWHERE: what is typed lands there, and the mark of
  // the line it edits goes.
  await page.click('#problemList > div:nth-child(3)');
  await page.keyboard.type('Z');
  assert.match(await editorText(page), /\n {6}JMP {3}ZNOWHERE\n/);
  assert.equal(await page.textContent('#problemCount'), '1 error, 1 undefined name');
  assert.deepEqual(await linesWith(page, '.cm-lint-marker-error'), [2, 3]);
  await page.close();
});

test('a tab the assembler would misread is warned about and replaced by blanks', async () => {
  const { page } = await openWorkbench(browser.context);
  await openFile(page, 'tabs.casl', '      LEA\tGR1,5\n      EXIT\n');
  await page.click('#Command1');
  await answerBox(page, 'messageBox', 'ok');
  await settled(page);
  assert.deepEqual(await linesWith(page, '.cm-lint-marker-warning'), []);  // the error's mark is the line's
  assert.equal(await tooltipOf(page, '.cm-lintRange-warning'), 'a tab is not a separator here: use blanksReplace tabs by blanks');
  await page.click('.cm-tooltip-lint button');
  assert.equal(await editorText(page), '      LEA       GR1,5\n      EXIT\n');
  await page.click('#Command1');
  assert.equal(await page.textContent('#problemCount'), 'No problems');
  assert.deepEqual(await linesWith(page, '.cm-lint-marker'), []);
  await page.close();
});

test('a Debug Mode step: its status, the PC\'s line, what it changed; a listing line selects its source line', async () => {
  const { page } = await openWorkbench(browser.context);
  await page.click('#Command1');
  assert.deepEqual(await linesWith(page, '.cm-pc-line'), [2]);
  await page.click('#Command2');
  assert.equal(await status(page), 'Executed the instruction at 0000; the next is at 0002');
  assert.deepEqual(await linesWith(page, '.cm-pc-line'), [3]);
  assert.deepEqual(await page.$$eval('.reg.changed', (b) => b.map((e) => e.id)), ['txtGR6', 'txtGR4']);  // PC, GR4 (as drawn)
  // CALL (the fifth step) pushes its return address: the stack's dump line changes too.
  for (let i = 0; i < 4; i++) await page.keyboard.press('F5');
  assert.equal(await status(page), 'Executed the instruction at 0008; the next is at 000D');
  assert.deepEqual(await markedRows(page, 'List2', 'changed'), [0x24]);
  assert.deepEqual(await page.$$eval('.reg.changed', (b) => b.map((e) => e.id)), ['txtGR6', 'txtGR4']);

  await page.click('#List1 > div:nth-child(8)');
  assert.equal(await page.textContent('#List1 .selected'), goldenLines('asm_sample', 'LISTING')[7]);
  await page.waitForSelector('#Text1 .cm-selectionBackground');  // drawn at the next frame
  assert.deepEqual(await linesWith(page, '.cm-selectionBackground'), [10]);
  await page.close();
});

const SAMPLE_BREAK = 7;  // JMP J1: the run round the loop stops before it

test('breakpoints from the gutter, F9 and the listing stop a run; the next Exec goes on', async () => {
  const { page } = await openWorkbench(browser.context);
  await page.click('#Command1');
  await clickGutter(page, SAMPLE_BREAK);
  assert.deepEqual(await linesWith(page, '.cm-gutter .cm-breakpoint'), [SAMPLE_BREAK]);
  assert.deepEqual(await markedRows(page, 'List1', 'breakpoint'), [5]);
  await page.click('#Label3');
  await page.click('#Command2');
  await answerBox(page, 'messageBox', 'ok');
  await settled(page);
  assert.equal(await status(page), 'Stopped at the breakpoint on line 7 (address 000A)');
  assert.equal(await box(page, 6), '000A');
  await page.click('#Command2');
  await answerBox(page, 'messageBox', 'ok');
  await settled(page);
  assert.equal(await status(page), 'Stopped at the breakpoint on line 7 (address 000A)');

  // A double-click on the listing clears it, F9 on the caret's line sets one on line 2.
  await page.dblclick('#List1 > div:nth-child(6)');
  assert.deepEqual(await linesWith(page, '.cm-gutter .cm-breakpoint'), []);
  await page.click('#Text1 .cm-line:nth-child(2)');
  await page.keyboard.press('F9');
  assert.deepEqual(await linesWith(page, '.cm-gutter .cm-breakpoint'), [2]);
  assert.deepEqual(await markedRows(page, 'List1', 'breakpoint'), [0]);
  await page.click('#Command2');
  assert.match(await status(page), /^Ended by EXIT after 4 instructions \(\d+\.\d ms\)$/);
  await page.close();
});

test('Back restores the boxes of the step before; Reset loads the program again', async () => {
  const { page } = await openWorkbench(browser.context);
  await page.click('#Command1');
  assert.equal(await page.isDisabled('#Back'), true);
  await page.click('#Command2');
  const afterOne = await boxes(page);
  await page.click('#Command2');
  await page.click('#Command2');
  assert.notDeepEqual(await boxes(page), afterOne);
  await page.click('#Back');
  await page.keyboard.press('Shift+F5');
  assert.deepEqual(await boxes(page), afterOne);
  assert.equal(await status(page), 'Stepped back: 1 step can be undone');
  assert.deepEqual(await linesWith(page, '.cm-pc-line'), [3]);

  await page.click('#menuRun');
  await page.click('#runReset');
  assert.equal(await status(page), 'Reset: the program is loaded again');
  assert.deepEqual(await boxes(page), ['0000', '0000', '0000', '0000', '0000', '0000', '0000']);
  assert.equal(await page.isDisabled('#Back'), true);
  await page.close();
});

const LOOP = 'LOOP ADD  GR1,ONE\n     JMP  LOOP\nONE  DC   1\n';

test('a run watched at 5 a second repaints each step and stops with Stop', async () => {
  const { page } = await assembledPage(browser.context, 'loop.casl', LOOP);
  await page.click('#menuRun');
  await page.click('#speedItems >> text=5 a second');
  assert.equal(await page.inputValue('#Speed'), '5');
  const start = Date.now();
  await page.click('#Command2');
  assert.equal(await status(page), 'Running…');
  assert.equal(await page.isDisabled('#Command1'), true);
  for (const pc of ['0002', '0000', '0002']) await page.waitForFunction((v) => document.getElementById('txtGR6').value === v, pc);
  assert.ok(Date.now() - start >= 400, 'three steps at 5 a second take 0.6 s');
  await page.click('#Stop');
  await settled(page);
  assert.match(await status(page), /^Stopped by you at 000[02] after [3-5] instructions/);
  assert.equal(await page.isDisabled('#Stop'), true);
  await page.close();
});

test('a breakpoint stops a watched run', async () => {
  const { page } = await assembledPage(browser.context, 'loop.casl', LOOP);
  await clickGutter(page, 2);
  await page.selectOption('#Speed', '100');
  await page.click('#Command2');
  await page.waitForFunction(() => document.body.dataset.press === 'false');
  assert.equal(await status(page), 'Stopped at the breakpoint on line 2 (address 0002)');
  assert.equal(await box(page, 1), '0001');
  await page.close();
});

test('a run\'s fault is a row of the Run section on its line until the next ASM, which says where Exec starts', async () => {
  const { page } = await assembledPage(browser.context, 'index.casl', '     LD   GR2,K\n     LD   GR1,0,GR2\n     EXIT\nK    DC   300\n');
  await page.keyboard.press('F5');
  await answerBox(page, 'messageBox', 'ok');
  await settled(page);
  const why = 'LD addressed 0 + GR2 (300) = 300, outside the memory (0 to 199).';
  assert.ok((await status(page)).endsWith(`). ${why}`), await status(page));
  assert.equal(await page.textContent('#problemCount'), '1 run-time problem');
  await page.click('#problemCount');
  assert.deepEqual(await rows(page, 'problemList'), [`2:1  run: ${why}`]);
  assert.equal(await page.getAttribute('#problemList > div', 'class'), 'problem-run');
  await page.click('#problemList > div:nth-child(1)');
  await page.keyboard.type('Z');
  assert.match(await editorText(page), /\nZ {5}LD {3}GR1,0,GR2\n/);
  await page.click('#Command1');
  await settled(page);
  assert.deepEqual(await rows(page, 'problemList'), []);
  assert.equal(await status(page), 'Exec starts at 0002, where the last run left the PC; Reset starts again at 0000');
  await page.close();
});

test('the status line tells how each press ended', async () => {
  const cases = [
    ['exit.casl', '     LEA  GR1,2\n     EXIT\n', 'F5', /^Ended by EXIT after 2 instructions \(\d+\.\d ms\)$/],
    ['fault.casl', '     LD   GR0,#0FFF\n     EXIT\n', 'F5',
      /^Address error at 0000 after 1 instruction \(\d+\.\d ms\)\. LD addressed 4095, outside the memory \(0 to 199\)\.$/],
    ['endless.casl', 'LOOP JMP  LOOP\n', 'F5',
      /^Endless loop: steps 1 to 1 repeat \(addresses 0000 to 0000\)\. Line 1 repeats without end: .* a conditional jump on a value the loop changes\.$/],
    ['cursor.casl', '     LEA  GR1,1\n     LEA  GR1,2\n     LEA  GR1,3\n     EXIT\n', 'F4', /^Reached line 3 \(address 0004\)$/],
  ];
  for (const [name, source, key, expected] of cases) {
    const { page } = await assembledPage(browser.context, name, source);
    if (key === 'F4') await page.click('#Text1 .cm-line:nth-child(3)');
    await page.keyboard.press(key);
    if (name === 'fault.casl') await answerBox(page, 'messageBox', 'ok');
    await settled(page);
    assert.match(await status(page), expected, name);
    await page.close();
  }
});
