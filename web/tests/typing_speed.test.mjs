// Typing in a long text, printed and never asserted: the time each key takes in the page
// (the editor's update, the logic given the new text, the state drawn) in a source of
// about 1 MB, typed at its start. Each key must still land where typed.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { launch, openWorkbench } from './browser.mjs';
import { editorText, openFile } from './helpers.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const LINE = 'LOOP  LD    GR1,DATA,GR2      /* one line of a long program */\n';
const SOURCE = LINE.repeat(Math.ceil(1_000_000 / LINE.length));
const KEYS = 30;

// Milliseconds each of `KEYS` typed characters takes until the page has done all it does
// for it (the next task runs only once everything the key started is over).
const timeKeys = (page) => page.evaluate(async (count) => {
  const content = document.querySelector('#Text1 .cm-content');
  content.focus();
  const range = document.createRange();
  range.selectNodeContents(content.firstElementChild);
  range.collapse(true);
  getSelection().removeAllRanges();
  getSelection().addRange(range);
  await new Promise((r) => setTimeout(r, 50));
  const times = [];
  for (let i = 0; i < count; i++) {
    const start = performance.now();
    document.execCommand('insertText', false, 'x');
    await new Promise((r) => setTimeout(r, 0));
    times.push(performance.now() - start);
  }
  return times;
}, KEYS);

const summary = (times) => {
  const sorted = [...times].sort((a, b) => a - b);
  return `median ${sorted[Math.floor(sorted.length / 2)].toFixed(1)} ms, slowest ${sorted.at(-1).toFixed(1)} ms`;
};

test('a key typed in a 1 MB source: time printed, the text typed where it was typed', async () => {
  const { page } = await openWorkbench(browser.context);
  await openFile(page, 'long.casl', SOURCE);
  const times = await timeKeys(page);
  console.log(`typing in ${SOURCE.length} characters: ${summary(times)} a key`);
  const text = await page.evaluate(() => document.querySelector('#Text1 .cm-content').firstElementChild.textContent);
  assert.equal(text, `${'x'.repeat(KEYS)}${LINE.trimEnd()}`);
  await page.close();
});
