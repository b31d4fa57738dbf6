// The page's keyboard as the window's: Tab goes round the controls in the window's
// order and types no tab, Enter copies no blanks, the problem list takes arrows and
// Enter, the menus open with F10 or Alt and go by arrows, Esc closes the viewer, the
// focus comes back to the editor after a box, and each tab keeps its own recovery copy.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { launch, openWorkbench } from './browser.mjs';
import { answerBox, editorText, openFile, rows, settled } from './helpers.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

// The id of the control that has the focus ("Text1" for the editor).
const focused = (page) => page.evaluate(() => {
  const at = document.activeElement;
  return at?.closest('#Text1') ? 'Text1' : at?.id || at?.tagName;
});

// The controls Tab (or Shift+Tab) visits from the editor until it is back there.
async function focusRing(page, key) {
  await page.focus('#Text1 .cm-content');
  const visited = [];
  for (let i = 0; i < 40; i++) {
    await page.keyboard.press(key);
    await settled(page);
    const id = await focused(page);
    if (id === 'Text1') break;
    visited.push(id);
  }
  return visited;
}

const RING = ['Command1', 'Command2', 'Label3', 'txtGR6', 'txtGR0', 'txtGR1', 'txtGR2', 'txtGR3', 'txtGR4', 'txtGR5',
  'List1', 'List2', 'Command3', 'Command4', 'Command5', 'Combo1'];

test('Tab and Shift+Tab go round the controls in the window\'s order and type no tab', async () => {
  const { page } = await openWorkbench(browser.context);
  const text = await editorText(page);
  assert.deepEqual(await focusRing(page, 'Tab'), RING);
  await page.click('#Command1');  // the problem count appears and joins the ring before the chooser
  await settled(page);
  assert.deepEqual(await focusRing(page, 'Tab'), [...RING.slice(0, -1), 'problemCount', 'Combo1']);
  assert.equal((await focusRing(page, 'Shift+Tab'))[0], 'Combo1');
  await page.focus('#Command1');
  await page.keyboard.press('Shift+Tab');
  assert.equal(await focused(page), 'Text1');
  assert.equal(await editorText(page), text);
  await page.close();
});

test('Enter starts a line with no blanks copied from the line before', async () => {
  const { page } = await openWorkbench(browser.context);
  await openFile(page, 'typed.casl', '');
  await page.focus('#Text1 .cm-content');
  await page.keyboard.type('P   START\n    LD  GR1,A\nA   DC  1\n');
  assert.equal(await editorText(page), 'P   START\n    LD  GR1,A\nA   DC  1\n');
  await page.close();
});

test('the problem list goes by Up and Down, and Enter goes to the problem', async () => {
  const { page } = await openWorkbench(browser.context);
  await openFile(page, 'problems.casl', 'S1    START\n      LD    GR0,X\n      JMP   NOWHERE\n      EXIT\n      END\n');
  await page.click('#Command1');
  for (let i = 0; i < 2; i++) await answerBox(page, 'messageBox', 'ok');
  await settled(page);
  await page.click('#problemCount');
  assert.equal((await rows(page, 'problemList')).length, 2);
  await page.focus('#problemList');
  await page.keyboard.press('ArrowDown');
  assert.equal(await page.getAttribute('#problemList', 'aria-activedescendant'), 'problemList-row1');
  await page.keyboard.press('Enter');  // the caret before NOWHERE, the focus in the editor
  await settled(page);
  await page.keyboard.type('Z');
  assert.match(await editorText(page), /\n {6}JMP {3}ZNOWHERE\n/);
  await page.focus('#problemList');
  await page.keyboard.press('Home');
  await page.keyboard.press('Enter');
  await settled(page);
  await page.keyboard.type('Y');
  assert.match(await editorText(page), /\n {6}LD {4}GR0,YX\n/);
  await page.close();
});

test('F10 and Alt open the menus; arrows go through them; Esc and a command give the focus back', async () => {
  const { page } = await openWorkbench(browser.context);
  await page.focus('#Text1 .cm-content');
  await page.keyboard.press('F10');
  assert.equal(await page.getAttribute('#menuFile', 'aria-expanded'), 'true');
  assert.equal(await focused(page), 'fileNew');
  await page.keyboard.press('ArrowDown');
  assert.equal(await focused(page), 'fileOpen');
  await page.keyboard.press('ArrowRight');
  assert.equal(await page.getAttribute('#menuFile', 'aria-expanded'), 'false');
  assert.equal(await page.getAttribute('#menuRun', 'aria-expanded'), 'true');
  assert.equal(await focused(page), 'runAsm');
  await page.keyboard.press('ArrowUp');  // round to the last usable item
  assert.equal(await page.evaluate(() => document.activeElement.getAttribute('role')), 'menuitemradio');
  await page.keyboard.press('Escape');
  assert.equal(await page.getAttribute('#menuRun', 'aria-expanded'), 'false');
  assert.equal(await focused(page), 'Text1');

  await page.keyboard.press('Alt');
  assert.equal(await page.getAttribute('#menuFile', 'aria-expanded'), 'true');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('Enter');  // Run ▸ ASM
  await settled(page);
  assert.ok((await rows(page, 'List1')).length > 0);
  assert.equal(await page.getAttribute('#menuRun', 'aria-expanded'), 'false');
  assert.equal(await focused(page), 'Text1');
  await page.close();
});

test('Esc closes the viewer, and the focus is back in the editor after it and after a box', async () => {
  const { page } = await openWorkbench(browser.context);
  await page.click('#Command3');
  await page.waitForSelector('#frmText:not([hidden])');
  await page.keyboard.press('Escape');
  assert.equal(await page.isVisible('#frmText'), false);
  assert.equal(await focused(page), 'Text1');

  await page.click('#Command1');
  await settled(page);
  for (let i = 0; i < 6; i++) await page.click('#Command2');  // the sixth step is the OUT box
  await page.waitForSelector('#messageBox[open]');
  await page.keyboard.press('Enter');
  await settled(page);
  assert.equal(await focused(page), 'Text1');
  await page.close();
});

test('each tab keeps its own recovery copy; a new tab is offered the copy of a closed one', async () => {
  const first = (await openWorkbench(browser.context)).page;
  await first.evaluate(() => localStorage.clear());  // no copy left by the tests before
  const second = (await openWorkbench(browser.context)).page;
  const edit = async (page, line) => {
    await page.focus('#Text1 .cm-content');
    await page.keyboard.press('Control+Home');
    await page.keyboard.type(line);
    await settled(page);
  };
  await edit(first, '; first\n');
  await edit(second, '; second\n');
  // Kept once the typing pauses.
  const copiesOf = () => Object.keys(localStorage).filter((k) => k.startsWith('comet-workbench.recovery')).map((k) => localStorage.getItem(k));
  await first.waitForFunction(`(${copiesOf})().length === 2`);
  const copies = await first.evaluate(copiesOf);
  assert.ok(copies.some((c) => c.includes('; first')) && copies.some((c) => c.includes('; second')));
  // A tab that still lives keeps its copy to itself.
  const third = (await openWorkbench(browser.context)).page;
  assert.equal(await third.isVisible('#restoreBar'), false);
  await third.close();
  first.once('dialog', (d) => d.accept());
  await first.close({ runBeforeUnload: true });
  await first.waitForEvent('close');
  const fourth = (await openWorkbench(browser.context)).page;
  await fourth.waitForSelector('#restoreBar:not([hidden])');
  await fourth.click('#restoreYes');
  await settled(fourth);
  assert.match(await editorText(fourth), /^; first\n/);
  await second.close();
  await fourth.close();
});
