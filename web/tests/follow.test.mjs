// The page follows the learner as the desktop window does: every program opened or made
// new starts on a clean machine with the editor focused; after each step the PC's line
// and the word the step wrote are in view; OUT and IN go to the output console when it is on.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launch, openWorkbench } from './browser.mjs';
import { answerBox, boxes, openFile, rows, settled, status } from './helpers.mjs';
import { repoDir } from './paths.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const SQUARES = readFileSync(join(repoDir, 'tests', 'sessions', 'files', 'squares.casl'), 'utf8');
const shots = process.env.COMET_WEB_SHOTS ?? tmpdir();

// Whether `selector`'s first element lies wholly inside the visible part of `scroller`.
const inView = (page, selector, scroller) => page.evaluate(([sel, sc]) => {
  const element = document.querySelector(sel);
  if (!element) return false;
  const r = element.getBoundingClientRect();
  const s = document.querySelector(sc).getBoundingClientRect();
  return r.height > 0 && r.top >= s.top - 1 && r.bottom <= s.bottom + 1;
}, [selector, scroller]);

async function exec(page, times) {
  for (let i = 0; i < times; i++) {
    await page.click('#Command2');
    await settled(page);
  }
}

test('Open and New start a clean machine with the editor focused', async () => {
  const { page, errors } = await openWorkbench(browser.context);
  await page.click('#Command1');
  await exec(page, 3);
  assert.notEqual((await rows(page, 'List1')).length, 0);
  await openFile(page, 'squares.casl', SQUARES);
  await settled(page);
  assert.deepEqual(await rows(page, 'List1'), []);
  assert.deepEqual(await rows(page, 'List2'), []);
  assert.deepEqual(await boxes(page), Array(7).fill('0000'));
  assert.equal(await page.textContent('#Label6'), 'Executed');
  assert.equal(await status(page), 'squares.casl: a clean machine, nothing assembled yet');
  assert.equal(await page.isHidden('#problemCount'), true);
  assert.equal(await page.isDisabled('#Back'), true);
  assert.ok(await page.evaluate(() => document.getElementById('Text1').contains(document.activeElement)));
  await page.click('#Command1');
  await exec(page, 2);
  await page.click('#menuFile');
  await page.click('#fileNew');
  await settled(page);
  assert.deepEqual(await rows(page, 'List1'), []);
  assert.deepEqual(await boxes(page), Array(7).fill('0000'));
  assert.equal(await page.isHidden('#problemCount'), true);
  assert.deepEqual(errors, []);
  await page.close();
});

test('after every step the PC\'s line and the word it wrote are in view', async () => {
  const { page, errors } = await openWorkbench(browser.context);
  await openFile(page, 'squares.casl', SQUARES);
  await page.click('#Command1');
  await settled(page);
  for (let step = 1; step <= 30; step++) {
    await exec(page, 1);
    assert.ok(await inView(page, '.cm-pc-line', '#Text1 .cm-scroller'), `PC line at step ${step}`);
    const changed = await page.$$eval('#List2 > div.changed', (d) => d.length);
    if (changed > 0) assert.ok(await inView(page, '#List2 > div.changed', '#List2'), `written word at step ${step}`);
  }
  await page.screenshot({ path: join(shots, 'page-step-30.png') });
  assert.deepEqual(errors, []);
  await page.close();
});

test('the output console takes OUT\'s lines and IN\'s line without a box', async () => {
  const { page, errors } = await openWorkbench(browser.context);
  await openFile(page, 'echo.casl', 'E START\n IN BUF,LEN\n OUT BUF,LEN\n EXIT\nBUF DS 5\nLEN DC 10\n END\n');
  await page.click('#menuView');
  await page.click('#viewConsole');
  await settled(page);
  assert.equal(await page.isVisible('#consoleDock'), true);
  assert.equal(await page.getAttribute('#viewConsole', 'aria-checked'), 'true');
  await page.fill('#consoleInput', 'hello');
  await page.click('#Command1');
  await page.click('#Label3');
  await page.click('#Command2');
  await settled(page);
  assert.equal(await page.isVisible('#messageBox'), false);
  assert.equal(await page.isVisible('#inputBox'), false);
  assert.equal(await page.textContent('#consoleOutput'), '> hello\nhello');
  assert.equal(await page.inputValue('#consoleInput'), '');
  await page.screenshot({ path: join(shots, 'page-console.png') });
  await page.click('#consoleClear');
  assert.equal(await page.textContent('#consoleOutput'), '');
  // Off again, OUT shows the design's box.
  await page.click('#menuView');
  await page.click('#viewConsole');
  await page.click('#Command2');
  await answerBox(page, 'inputBox', 'ok');
  await answerBox(page, 'messageBox', 'ok');
  await settled(page);
  assert.equal(await page.isHidden('#consoleDock'), true);
  assert.deepEqual(errors, []);
  await page.close();
});

test('zoom scales the whole window and the next visit starts at it and at the speed', async () => {
  const { page, errors } = await openWorkbench(browser.context);
  const menuHeight = () => page.$eval('#menuFile', (m) => m.getBoundingClientRect().height);
  const statusHeight = () => page.$eval('#statusBar', (s) => s.getBoundingClientRect().height);
  const designMenu = await menuHeight();
  const designStatus = await statusHeight();
  for (let i = 0; i < 5; i++) await page.keyboard.press('Control+=');
  assert.ok(await menuHeight() > designMenu * 1.8);
  assert.ok(await statusHeight() > designStatus * 1.8);
  // The window still fills the page: the status line stays at its bottom.
  const bottom = await page.$eval('#statusBar', (s) => s.getBoundingClientRect().bottom);
  assert.ok(Math.abs(bottom - page.viewportSize().height) <= 2, `status line bottom ${bottom}`);
  await page.click('#Command1');
  await settled(page);
  await page.screenshot({ path: join(shots, 'page-zoom-200.png') });
  await page.selectOption('#Speed', '5');
  await page.reload();
  await page.waitForSelector('body[data-ready="true"]');
  assert.ok(await menuHeight() > designMenu * 1.8);
  assert.equal(await page.inputValue('#Speed'), '5');
  await page.keyboard.press('Control+0');
  await page.selectOption('#Speed', '0');
  assert.deepEqual(errors, []);
  await page.close();
});

test('the question\'s buttons have keys and a control with the keyboard is framed', async () => {
  const { page, errors } = await openWorkbench(browser.context);
  assert.deepEqual(await page.$$eval('#saveChanges .box-buttons button', (b) => b.map((x) => x.accessKey)), ['s', 'd', 'c']);
  for (const id of ['Label3', 'List1', 'List2', 'Command1', 'txtGR0']) {
    await page.focus(`#${id}`);
    // A frame of two pixels at least: the browser's own thin ring is easily missed.
    const [style, width] = await page.$eval(`#${id}`, (e) => [getComputedStyle(e).outlineStyle, parseFloat(getComputedStyle(e).outlineWidth)]);
    assert.ok(style === 'solid' && width >= 2, `${id}: ${style} ${width}`);
  }
  assert.deepEqual(errors, []);
  await page.close();
});
