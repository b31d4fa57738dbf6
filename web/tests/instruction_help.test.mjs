// An instruction tells what it does where it is typed and where it is chosen: the pointer
// resting on a mnemonic in the editor shows its help, and each chooser item carries it.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { launch } from './browser.mjs';
import { assembledPage, settled } from './helpers.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const PROGRAM = 'PGM   START\n      LD    GR1,A\n      CPA   GR1,A\n      EXIT\nA     DC    3\n      END\n';

const hoverHelp = async (page, selector) => {
  await page.hover(selector);
  const help = await page.waitForSelector('.cm-tooltip .cm-instruction-help');
  return help.textContent();
};

test('the help on a mnemonic where the pointer rests, and on each chooser item', async () => {
  const { page, errors } = await assembledPage(browser.context, 'help.casl', PROGRAM, { debug: true });
  await settled(page);
  const cpa = await hoverHelp(page, '#Text1 .cm-line:nth-child(3) .cm-tok-mnemonic');
  assert.match(cpa, /^CPA: instruction, opcode #26, 2 words\nCompares the register with the word at the address as signed numbers/);
  assert.match(cpa, /\nForm: CPA r,adr\[,x\]\nFR is set by the comparison: 0000 when the register is greater, 4000 when both are equal, 8000 when the register is smaller\.\nExample: CPA GR1,LIMIT$/);
  await page.hover('#Combo1');
  const titles = await page.$$eval('#Combo1 option', (options) => options.map((o) => o.title));
  assert.equal(titles.length, 35);
  assert.match(titles[17], /^JZE: instruction, opcode #05, 2 words\r\n.*\r\nFR decides whether it jumps, and is left unchanged\.\r\nExample: JZE DONE$/s);
  assert.match(titles[34], /^GR4: register\r\nGeneral and index register, and the stack pointer\.$/);
  assert.equal(await page.getAttribute('#Combo1', 'title'), titles[0]);
  assert.deepEqual(errors, []);
});
