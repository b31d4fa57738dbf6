// The page in headless Chromium, opened from disk, used as a person would: the
// listing and dump after ASM as the desktop shows them, the modal boxes, a runaway
// Run Mode press stopped while the page stays responsive, the viewer, files and the
// copy kept in local storage.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { launch, openWorkbench } from './browser.mjs';
import { answerBox, assembledPage, box, editorText, goldenLines, openFile, rows, settled } from './helpers.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

// A page with a program opened from a file, assembled, in Run Mode.
const runModePage = async (name, source) => (await assembledPage(browser.context, name, source)).page;

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

// A count over GR1 and GR2 together: some 8 billion steps before the machine is back in
// a state it was in, so that endless-loop detection leaves the run to Stop.
const RUNAWAY = 'LOOP ADD  GR1,ONE\r\n     JNZ  LOOP\r\n     ADD  GR2,ONE\r\n     JMP  LOOP\r\nONE  DC   1\r\n';

test('a runaway loop is stopped with Stop while the page stays responsive', async () => {
  const page = await runModePage('runaway.casl', RUNAWAY);
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
  assert.match(await box(page, 6), /^000[0246]$/);
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

// Saves through the File menu and gives the downloaded file's name and bytes.
async function save(page) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#menuFile').then(() => page.click('#fileSave'))]);
  return { name: download.suggestedFilename(), bytes: readFileSync(await download.path()) };
}

// CP932 bytes of "; あ", with LF line ends.
const KANA = [0x3b, 0x20, 0x82, 0xa0, 0x0a, ...Buffer.from(' EXIT\n')];

test('a file opened, edited and saved in its own encoding; the kept copy of changes offered after a reload', async () => {
  const { page } = await openWorkbench(browser.context);
  const refused = page.setInputFiles('#filePicker', { name: 'blob.bin', mimeType: 'application/octet-stream', buffer: Buffer.from([0x7f, 0x45, 0, 0]) });
  assert.deepEqual(await answerBox(page, 'messageBox', 'ok'), { title: 'COMET Emulation', text: 'cannot read blob.bin: it is not text (it has NUL bytes)' });
  await refused;
  assert.match(await editorText(page), /^S1 {2}START/);

  await openFile(page, 'kana.casl', KANA);
  assert.equal(await editorText(page), '; あ\n EXIT\n');
  await page.keyboard.press('Control+z');  // no undo back into the sample
  assert.equal(await editorText(page), '; あ\n EXIT\n');
  await page.keyboard.press('Control+End');
  await page.keyboard.type(' END');
  assert.equal(await page.title(), 'kana.casl* \u2014 COMET Emulation');
  assert.deepEqual(await save(page), { name: 'kana.casl', bytes: Buffer.from([...KANA, ...Buffer.from(' END')]) });
  assert.equal(await page.title(), 'kana.casl \u2014 COMET Emulation');

  // Changes not saved are kept in the browser, and offered back with their file's form.
  await page.keyboard.type('\n; い');  // the new line starts with no blanks copied
  page.once('dialog', (d) => d.accept());  // leaving with unsaved changes is asked about
  await page.reload();
  await page.waitForSelector('body[data-ready="true"]');
  assert.equal(await page.textContent('#restoreText'), 'The changes to kana.casl from your last visit were kept in this browser. Restore them?');
  await page.click('#restoreYes');
  assert.equal(await editorText(page), '; あ\n EXIT\n END\n; い');
  assert.equal(await page.title(), 'kana.casl* \u2014 COMET Emulation');
  assert.deepEqual((await save(page)).bytes, Buffer.from([...KANA, ...Buffer.from(' END\n; '), 0x82, 0xa2]));
  await page.reload();
  await page.waitForSelector('body[data-ready="true"]');
  assert.equal(await page.isVisible('#restoreBar'), false);  // saved: nothing kept
  await page.close();
});

// Shift_JIS with half-width katakana (one byte each, A1..DF) and a two-byte character.
const HALF_WIDTH_KANA = [0x3b, 0x20, 0xb1, 0xb2, 0xdf, 0x20, 0x82, 0xa0, 0x0a, ...Buffer.from(' EXIT\n')];

test('a file with half-width katakana opens, and opens again after it is saved', async () => {
  const { page } = await openWorkbench(browser.context);
  await openFile(page, 'hankaku.casl', HALF_WIDTH_KANA);
  assert.equal(await editorText(page), '; \uff71\uff72\uff9f \u3042\n EXIT\n');
  await page.keyboard.press('Control+End');
  await page.keyboard.type(' END');
  const saved = await save(page);
  assert.deepEqual(saved, { name: 'hankaku.casl', bytes: Buffer.from([...HALF_WIDTH_KANA, ...Buffer.from(' END')]) });
  await openFile(page, 'again.casl', saved.bytes);
  assert.equal(await editorText(page), '; \uff71\uff72\uff9f \u3042\n EXIT\n END');
  await page.close();
});

test('New, Open and a drop ask before unsaved changes are lost', async () => {
  const { page } = await openWorkbench(browser.context);
  await page.click('#Text1 .cm-content');
  await page.keyboard.press('Control+Home');
  await page.keyboard.type('; mine\n');
  assert.equal(await page.title(), 'Untitled* \u2014 COMET Emulation');
  const askNew = async (button) => {
    await page.click('#menuFile');
    await page.click('#fileNew');
    return answerBox(page, 'saveChanges', button);
  };
  assert.deepEqual(await askNew('cancel'), { title: 'COMET Emulation', text: 'Save the changes to Untitled before they are lost?' });
  assert.match(await editorText(page), /^; mine\nS1/);
  await askNew('discard');
  await settled(page);
  assert.equal(await editorText(page), '');
  assert.equal(await page.title(), 'COMET Emulation');

  // Save, then open: the changes are downloaded as a new file (UTF-8, LF) first.
  await page.keyboard.type('; new\n');
  const downloaded = page.waitForEvent('download');
  await page.setInputFiles('#filePicker', { name: 'kana.casl', mimeType: 'text/plain', buffer: Buffer.from(KANA) });
  await answerBox(page, 'saveChanges', 'ok');
  const download = await downloaded;
  assert.equal(download.suggestedFilename(), 'program.casl');
  assert.equal(readFileSync(await download.path(), 'utf8'), '; new\n');
  await page.waitForFunction(() => document.title === 'kana.casl \u2014 COMET Emulation');

  // A file dropped on the editor is opened as Open opens it.
  await page.$eval('#Text1 .cm-content', (editor) => {
    const files = new DataTransfer();
    files.items.add(new File([new Uint8Array([0x3b, 0x82, 0xa0, 0x0a])], 'dropped.casl'));
    editor.dispatchEvent(new DragEvent('drop', { dataTransfer: files, bubbles: true, cancelable: true }));
  });
  await page.waitForFunction(() => document.title === 'dropped.casl \u2014 COMET Emulation');
  assert.equal(await editorText(page), ';あ\n');
  await page.close();
});
