// A listing or dump line tells what its word is when the pointer rests on it: the source
// line that made it, the instruction it decodes to and the word read every way.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { launch } from './browser.mjs';
import { assembledPage, settled } from './helpers.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const PROGRAM = '      LD    GR1,A,GR2\n      RET\nA     DC    #0700\n';

const hoverTitle = async (page, id, row) => {
  const selector = `#${id} > div:nth-child(${row + 1})`;
  await page.hover(selector);
  return page.getAttribute(selector, 'title');
};

test('a listing or dump line read on hover', async () => {
  const { page, errors } = await assembledPage(browser.context, 'readings.casl', PROGRAM, { debug: true });
  await settled(page);
  assert.equal(await hoverTitle(page, 'List1', 0),
    'Line 1:       LD    GR1,A,GR2\r\nInstruction LD GR1, 0003, GR2\r\nHexadecimal 1012\r\n' +
    "Unsigned decimal 4114\r\nSigned decimal 4114\r\nBinary 0001 0000 0001 0010\r\nCharacters '··'");
  assert.match(await hoverTitle(page, 'List2', 3), /^Line 3: A {5}DC {4}#0700\r\nHexadecimal 0700\r\n/);
  assert.deepEqual(errors, []);
});
