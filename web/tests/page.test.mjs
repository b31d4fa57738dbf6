// The page in headless Chromium, opened from disk, used as a person would: the
// listing and dump after ASM as the desktop shows them, the modal boxes, a runaway
// Run Mode press stopped while the page stays responsive, the viewer, files and the
// copy kept in local storage.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { launch, openWorkbench } from './browser.mjs';
import { repoDir } from './paths.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

// The lines a display of the golden session shows, e.g. "LISTING" or "DUMP".
function goldenLines(session, heading) {
  const lines = readFileSync(join(repoDir, 'tests', 'sessions', `${session}.expected`), 'utf8').split('\n');
  const start = lines.findIndex((l) => l.startsWith(`${heading} `));
  const count = Number(/n=(\d+)/.exec(lines[start])[1]);
  return lines.slice(start + 1, start + 1 + count).map((l) => l.slice(1, -1));
}

const rows = (page, id) => page.$$eval(`#${id} > div`, (divs) => divs.map((d) => d.textContent));
const editorText = (page) => page.$$eval('#Text1 .cm-line', (lines) => lines.map((l) => l.textContent).join('\n'));
const box = (page, k) => page.inputValue(`#txtGR${k}`);

// Opens a file through the page's own picker.
async function openFile(page, name, bytes) {
  await page.setInputFiles('#filePicker', { name, mimeType: 'text/plain', buffer: Buffer.from(bytes) });
  await page.waitForFunction((n) => document.querySelector('#Text1 .cm-content').textContent.length > 0 && n, name);
}

// A page with a program opened from a file, assembled, in Run Mode.
async function runModePage(name, source) {
  const { page } = await openWorkbench(browser.context);
  await openFile(page, name, source);
  await page.click('#Command1');
  await page.click('#Label3');
  return page;
}

async function answerBox(page, id, button) {
  await page.waitForSelector(`#${id}[open]`);
  // The whole box is in view: nothing of it needs scrolling.
  assert.ok(await page.$eval(`#${id}`, (d) => d.scrollHeight <= d.clientHeight && d.offsetHeight > 60));
  const shown = { title: await page.textContent(`#${id} .box-title`), text: await page.textContent(`#${id} .box-text`) };
  await page.click(`#${id} .${button}`);
  await page.waitForSelector(`#${id}:not([open])`, { state: 'attached' });
  return shown;
}

test('the page loads from file:// with no console error, as the window starts', async () => {
  const { page, errors } = await openWorkbench(browser.context);
  assert.equal(await page.title(), 'COMET Emulation');
  assert.equal(await page.textContent('#Label3'), 'Debug Mode');
  assert.equal(await page.textContent('#Label6'), 'Executed');
  assert.match(await editorText(page), /^S1 {2}START\n {4}LEA {3}GR4,STACK/);
  assert.deepEqual(await rows(page, 'List1'), []);
  assert.equal(await page.$eval('#Combo1', (c) => c.options.length), 35);
  assert.deepEqual(errors, []);
  await page.close();
});

test('ASM of the sample fills the listing and the dump with the desktop\'s lines', async () => {
  const { page, errors } = await openWorkbench(browser.context);
  await page.click('#Command1');
  assert.deepEqual(await rows(page, 'List1'), goldenLines('asm_sample', 'LISTING'));
  assert.deepEqual(await rows(page, 'List2'), goldenLines('asm_sample', 'DUMP'));
  assert.equal(await page.textContent('#List1 .selected'), '0000:  1240  0026 ');
  await page.screenshot({ path: join(process.env.COMET_WEB_SHOTS ?? '/tmp', 'comet-workbench-asm.png') });
  assert.deepEqual(errors, []);
  await page.close();
});

test('Debug Mode steps through the OUT box', async () => {
  const { page } = await openWorkbench(browser.context);
  await page.click('#Command1');
  for (let i = 0; i < 5; i++) await page.click('#Command2');
  assert.equal(await box(page, 6), '000D');
  await page.click('#Command2');
  const shown = await answerBox(page, 'messageBox', 'ok');
  assert.deepEqual(shown, { title: 'COMET 標準出力', text: 'Hellow COMET' });
  assert.equal(await box(page, 6), '000F');
  assert.equal(await page.textContent('#Label6'), 'Executed Operation =0B00');
  await page.close();
});

test('an IN box answered, then cancelled', async () => {
  const page = await runModePage('echo.casl',
    'P    START\r\n     IN   BUF,LEN\r\n     OUT  BUF,LEN\r\n     EXIT\r\nBUF  DS   4\r\nLEN  DC   4\r\n     END\r\n');
  const press = page.click('#Command2');
  await page.waitForSelector('#inputBox[open]');
  assert.equal(await page.textContent('#inputBox .box-text'), 'COMET 標準入力');
  await page.fill('#inputText', 'ABCDEF');
  await page.click('#inputBox .ok');
  assert.deepEqual(await answerBox(page, 'messageBox', 'ok'), { title: 'COMET 標準出力', text: 'ABCD' });
  await press;
  await page.click('#Command2');
  await page.fill('#inputText', 'ignored');
  await page.click('#inputBox .cancel');
  assert.deepEqual(await answerBox(page, 'messageBox', 'ok'), { title: 'COMET 標準出力', text: '' });
  assert.equal((await rows(page, 'List2'))[12], '000C: 0000   ..');
  await page.close();
});

test('a runaway loop is stopped with Stop while the page stays responsive', async () => {
  const page = await runModePage('loop.casl', 'LOOP ADD  GR1,ONE\r\n     JMP  LOOP\r\nONE  DC   1\r\n');
  await page.click('#Command2');
  await page.waitForSelector('#runProgress[open]');
  await page.evaluate(() => {
    document.getElementById('runCount').addEventListener('click', (e) => {
      window.clickLag = performance.now() - e.timeStamp;
    }, { once: true });
  });
  await page.click('#runCount');
  const lag = await page.evaluate(() => window.clickLag);
  assert.ok(lag < 100, `a click waited ${lag} ms`);
  const first = await page.textContent('#runCount');
  await page.waitForFunction((t) => document.getElementById('runCount').textContent !== t, first);
  await page.click('#runStop');
  await page.waitForSelector('#runProgress:not([open])', { state: 'attached' });
  assert.match(await page.textContent('#runCount'), /^Executed instructions: \d+$/);
  assert.equal(await page.textContent('#Label3'), 'Run Mode');
  assert.match(await box(page, 6), /^000[02]$/);
  await page.close();
});

test('each report in the one viewer, which follows its size', async () => {
  const { page } = await openWorkbench(browser.context);
  await page.click('#Command1');
  const reports = [['Command3', '操作説明', /^\n■操作方法\n/], ['Command4', 'オブジェクト', /^Addr: {2}Value\n-{18}\n0000: {2}1240 {2}0026 \n/],
    ['Command5', '実行履歴', /^$/]];
  for (const [button, caption, text] of reports) {
    await page.click(`#${button}`);
    if (button === 'Command3') {
      // The viewer opens over the main window; its title bar moves it out of the way.
      await page.mouse.move(300, 70);
      await page.mouse.down();
      await page.mouse.move(300, 470, { steps: 4 });
      await page.mouse.up();
      assert.equal(await page.$eval('#frmText', (f) => f.offsetTop), 460);
    }
    assert.equal(await page.isVisible('#frmText'), true);
    assert.equal(await page.textContent('#viewerCaption'), caption);
    assert.match(await page.inputValue('#viewerText'), text);
  }
  await page.$eval('#frmText', (f) => { f.style.width = '400px'; f.style.height = '300px'; });
  await page.waitForFunction(() => document.getElementById('viewerText').offsetWidth === Math.round(400 - 250 / 15));
  assert.equal(await page.$eval('#viewerText', (t) => t.offsetHeight), Math.round(300 - 600 / 15));
  await page.click('#viewerClose');
  assert.equal(await page.isVisible('#frmText'), false);
  await page.click('#Command3');
  assert.equal(await page.textContent('#viewerCaption'), '操作説明');
  await page.close();
});

test('a file opened, edited and saved; the kept copy offered after a reload', async () => {
  const { page } = await openWorkbench(browser.context);
  // CP932 bytes of "; あ" and a line ending in LF alone.
  await openFile(page, 'kana.casl', Buffer.from([0x3b, 0x20, 0x82, 0xa0, 0x0a, 0x20, 0x45, 0x58, 0x49, 0x54, 0x0a]));
  assert.equal(await editorText(page), '; あ\n EXIT\n');
  await page.click('#Text1 .cm-content');
  await page.keyboard.press('Control+End');
  await page.keyboard.type(' END');
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#menuFile').then(() => page.click('#fileSave'))]);
  assert.equal(download.suggestedFilename(), 'kana.casl');
  assert.equal(readFileSync(await download.path(), 'utf8'), '; あ\r\n EXIT\r\n END');

  await page.reload();
  await page.waitForSelector('body[data-ready="true"]');
  assert.equal(await page.isVisible('#restoreBar'), true);
  await page.click('#restoreYes');
  assert.equal(await editorText(page), '; あ\n EXIT\n END');
  await page.close();
});
