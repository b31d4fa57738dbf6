// The editor's colours and the page's accessibility: each token coloured as the
// assembler's lexer reads it, readable in the light and the dark theme (contrast
// computed as WCAG does from the colours drawn); the PC's line and the changed values
// marked by more than colour, in forced colours too; every control, list and dialog
// named, as a committed snapshot of the accessibility tree says; the status announced.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launch, openWorkbench, pageUrl } from './browser.mjs';
import { answerBox, openFile, settled } from './helpers.mjs';
import { repoDir } from './paths.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const shots = process.env.COMET_WEB_SHOTS ?? tmpdir();

// ---- WCAG 2 contrast of two CSS colours ("rgb(r, g, b)") ----
const channels = (css) => css.match(/[\d.]+/g).slice(0, 3).map(Number);
const linear = (c) => (c / 255 <= 0.03928 ? c / 255 / 12.92 : ((c / 255 + 0.055) / 1.055) ** 2.4);
const luminance = (css) => { const [r, g, b] = channels(css).map(linear); return 0.2126 * r + 0.7152 * g + 0.0722 * b; };
const contrast = (a, b) => { const [x, y] = [luminance(a), luminance(b)].sort((p, q) => q - p); return (x + 0.05) / (y + 0.05); };

// The coloured spans of the editor's lines (from 1) as "kind(text)".
const colouredLines = (page) => page.$$eval('#Text1 .cm-line', (lines) => lines.map((l) =>
  [...l.querySelectorAll('[class*="cm-tok-"]')].map((t) => `${/cm-tok-(\w+)/.exec(t.className)[1]}(${t.textContent})`).join(' ')));

const PROGRAM = 'PGM START          /* a comment\n    LD    gr1,#0010\n    OUT   MSG,LEN\n    EXIT\n' +
  "MSG DC    'It''s',-5\nLEN DC    4\n    END\n";

test('the editor colours each token as the assembler reads it, as it is typed', async () => {
  const { page, errors } = await openWorkbench(browser.context);
  await openFile(page, 'colours.casl', PROGRAM);
  assert.deepEqual((await colouredLines(page)).slice(0, 7), [
    'label(PGM) mnemonic(START) comment(/* a comment)',
    'mnemonic(LD) register(gr1) number(#0010)',
    'mnemonic(OUT) label(MSG) label(LEN)',
    'mnemonic(EXIT)',
    "label(MSG) mnemonic(DC) string('It''s') number(-5)",
    'label(LEN) mnemonic(DC) number(4)',
    'mnemonic(END)',
  ]);
  await page.focus('#Text1 .cm-content');
  await page.keyboard.press('Control+End');
  await page.keyboard.type("X   DC  'open");
  assert.equal((await colouredLines(page))[7], "label(X) mnemonic(DC) string('open)");
  assert.deepEqual(errors, []);
  await page.close();
});

// The colours drawn: each token kind's, the editor's background, the PC's mark, a
// changed box's text and background.
const drawnColours = (page) => page.evaluate(() => {
  const colour = (sel, prop = 'color') => getComputedStyle(document.querySelector(sel))[prop];
  const tokens = Object.fromEntries(['label', 'mnemonic', 'register', 'number', 'string', 'comment'].map((k) => [k, colour(`.cm-tok-${k}`)]));
  return {
    tokens,
    editor: colour('#Text1 .cm-content', 'color'),
    background: colour('#Text1', 'backgroundColor'),
    pcMarker: colour('.cm-pc-marker'),
    changed: colour('.reg.changed'),
    changedBackground: colour('.reg.changed', 'backgroundColor'),
    changedMark: [colour('.reg.changed', 'fontWeight'), colour('.reg.changed', 'textDecorationLine')],
  };
});

// A page loaded with the system's settings emulated (colour scheme, forced colours).
async function pageWith(media) {
  const page = await browser.context.newPage();
  await page.emulateMedia(media);
  await page.goto(pageUrl);
  await page.waitForSelector('body[data-ready="true"]');
  return page;
}

test('colours and marks are readable in the light and the dark theme', async () => {
  for (const scheme of ['light', 'dark']) {
    const p = await pageWith({ colorScheme: scheme });
    await openFile(p, 'colours.casl', PROGRAM);
    await p.click('#Command1');
    await settled(p);
    await p.click('#Command2');  // one step: line 2 is the PC's; GR1 and PC changed
    await settled(p);
    const c = await drawnColours(p);
    for (const [kind, colour] of Object.entries(c.tokens)) {
      assert.ok(contrast(colour, c.background) >= 4.5, `${scheme} ${kind}: ${contrast(colour, c.background).toFixed(2)}`);
    }
    assert.ok(contrast(c.pcMarker, c.background) >= 3, `${scheme} PC mark: ${contrast(c.pcMarker, c.background).toFixed(2)}`);
    assert.ok(contrast(c.changed, c.changedBackground) >= 4.5, `${scheme} changed box`);
    assert.deepEqual(c.changedMark, ['700', 'underline']);  // more than colour
    assert.equal(await p.textContent('.cm-pc-marker'), '\u25b6');
    await p.screenshot({ path: join(shots, `comet-workbench-editor-${scheme}.png`) });
    if (scheme === 'dark') assert.ok(luminance(c.background) < 0.05, 'the dark theme has a dark editor');
    await p.close();
  }
});

test('in forced colours the PC line, the selection and the focus keep their marks', async () => {
  const page = await pageWith({ forcedColors: 'active' });
  await page.click('#Command1');
  await settled(page);
  await page.click('#Command2');
  await settled(page);
  const marks = await page.evaluate(() => ({
    pcOutline: getComputedStyle(document.querySelector('.cm-pc-line')).outlineStyle,
    pcMarker: document.querySelector('.cm-pc-marker').textContent,
    selected: getComputedStyle(document.querySelector('#List1 .selected')).backgroundColor,
    list: getComputedStyle(document.querySelector('#List1')).backgroundColor,
  }));
  assert.equal(marks.pcOutline, 'solid');
  assert.equal(marks.pcMarker, '\u25b6');
  assert.ok(contrast(marks.selected, marks.list) >= 3, `selection ${marks.selected} on ${marks.list}`);
  await page.focus('#Command1');
  await page.keyboard.press('Tab');  // a focus ring drawn by the keyboard
  assert.equal(await page.$eval('#Command2', (b) => getComputedStyle(b).outlineStyle), 'solid');
  await page.screenshot({ path: join(shots, 'comet-workbench-forced-colours.png') });
  await page.close();
});

const EXPECTED = join(repoDir, 'web', 'tests', 'expected', 'page.aria.yml');

test('every control, list and dialog has a name and a role: the accessibility tree as committed', async () => {
  const { page } = await openWorkbench(browser.context);
  // As a first visit shows it: no copy of an earlier test's changes offered.
  await page.evaluate(() => localStorage.clear());
  await page.reload();
  await page.waitForSelector('body[data-ready="true"]');
  // The controls only: the editor's and the lists' contents change with every program.
  const snapshot = await page.locator('#frmMain').ariaSnapshot();
  if (process.env.COMET_UPDATE_EXPECTED) writeFileSync(EXPECTED, snapshot);
  assert.equal(snapshot, readFileSync(EXPECTED, 'utf8'));
  // Chromium's own tree: no control, list, menu or dialog goes without a name.
  const cdp = await page.context().newCDPSession(page);
  await page.click('#menuRun');  // a menu open, to have its items in the tree
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  const roles = new Set(['button', 'combobox', 'textbox', 'listbox', 'menu', 'menuitem', 'menuitemradio', 'dialog', 'checkbox', 'spinbutton', 'toolbar', 'group']);
  const unnamed = nodes.filter((n) => !n.ignored && roles.has(n.role?.value) && !n.name?.value?.trim()).map((n) => n.role.value);
  assert.deepEqual(unnamed, []);
  assert.equal(await page.getAttribute('#runStatus', 'role'), 'status');
  assert.equal(await page.getAttribute('#menuRun', 'aria-expanded'), 'true');
  await page.close();
});

test('the status line is announced, and a box is a dialog named by its title', async () => {
  const { page } = await openWorkbench(browser.context);
  await page.click('#Command1');
  await settled(page);
  for (let i = 0; i < 6; i++) await page.click('#Command2');
  await page.waitForSelector('#messageBox[open]');
  assert.ok(await page.getByRole('dialog', { name: 'COMET 標準出力' }).isVisible());
  await answerBox(page, 'messageBox', 'ok');
  await settled(page);
  const live = page.getByRole('status');
  assert.equal(await live.getAttribute('aria-live'), 'polite');
  assert.notEqual(await live.textContent(), '');
  await page.close();
});
