// What the page tests do as a person would and read off the page as it is drawn.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { openWorkbench } from './browser.mjs';
import { repoDir } from './paths.mjs';

// The lines a display of a golden session shows, e.g. "LISTING" or "DUMP".
export function goldenLines(session, heading) {
  const lines = readFileSync(join(repoDir, 'tests', 'sessions', `${session}.expected`), 'utf8').split('\n');
  const start = lines.findIndex((l) => l.startsWith(`${heading} `));
  const count = Number(/n=(\d+)/.exec(lines[start])[1]);
  return lines.slice(start + 1, start + 1 + count).map((l) => l.slice(1, -1));
}

export const rows = (page, id) => page.$$eval(`#${id} > div`, (divs) => divs.map((d) => d.textContent));
export const markedRows = (page, id, mark) => page.$$eval(`#${id} > div`, (divs, m) => divs.flatMap((d, i) => (d.classList.contains(m) ? [i] : [])), mark);
export const editorText = (page) => page.$$eval('#Text1 .cm-line', (lines) => lines.map((l) => l.textContent).join('\n'));
export const box = (page, k) => page.inputValue(`#txtGR${k}`);
export const boxes = (page) => page.$$eval('.reg', (inputs) => inputs.map((i) => i.value));
export const status = (page) => page.textContent('#runStatus');

// The editor lines (from 1) that carry `selector`: a breakpoint in the gutter, the PC's
// line, a drawn selection.
export function linesWith(page, selector) {
  return page.evaluate((sel) => {
    const lines = [...document.querySelectorAll('#Text1 .cm-line')].map((l) => l.getBoundingClientRect());
    return [...document.querySelectorAll(`#Text1 ${sel}`)].flatMap((m) => {
      const r = m.getBoundingClientRect();
      const middle = r.y + r.height / 2;
      const line = lines.findIndex((l) => l.height > 0 && middle >= l.top && middle < l.bottom);
      return line >= 0 && r.height > 0 && getComputedStyle(m).visibility !== 'hidden' ? [line + 1] : [];
    });
  }, selector);
}

// A click in the editor's breakpoint gutter beside `line` (from 1).
export async function clickGutter(page, line) {
  const x = await page.$eval('.cm-breakpoint-gutter', (g) => { const r = g.getBoundingClientRect(); return r.x + r.width / 2; });
  const y = await page.$eval(`#Text1 .cm-line:nth-child(${line})`, (l) => { const r = l.getBoundingClientRect(); return r.y + r.height / 2; });
  await page.mouse.click(x, y);
}

// Opens a file through the page's own picker; the page's title then names it.
export async function openFile(page, name, bytes) {
  await page.setInputFiles('#filePicker', { name, mimeType: 'text/plain', buffer: Buffer.from(bytes) });
  await page.waitForFunction((n) => document.title === `${n} \u2014 COMET Emulation`, name);
}

// A page with `source` opened from a file and assembled; in Run Mode unless `debug`.
export async function assembledPage(context, name, source, { debug = false } = {}) {
  const { page, errors } = await openWorkbench(context);
  await openFile(page, name, source);
  await page.click('#Command1');
  if (!debug) await page.click('#Label3');
  return { page, errors };
}

// Answers a box with `button` ("ok" or "cancel") and tells what it showed.
export async function answerBox(page, id, button) {
  await page.waitForSelector(`#${id}[open]`);
  // The whole box is in view: nothing of it needs scrolling.
  assert.ok(await page.$eval(`#${id}`, (d) => d.scrollHeight <= d.clientHeight && d.offsetHeight > 60));
  const shown = { title: await page.textContent(`#${id} .box-title`), text: await page.textContent(`#${id} .box-text`) };
  const count = await page.getAttribute(`#${id}`, 'data-shown');
  await page.click(`#${id} .${button}`);
  // Closed, or open again for the next box.
  await page.waitForFunction(([i, n]) => {
    const box = document.getElementById(i);
    return !box.open || box.dataset.shown !== n;
  }, [id, count]);
  return shown;
}

// Waits until the page has finished what it was doing (a press, a box answered).
export const settled = (page) => page.waitForFunction(() => document.body.dataset.busy !== 'true' && document.body.dataset.press !== 'true');
