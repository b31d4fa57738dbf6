// View ▸ Language: every text of the page's own and of the logic's redrawn at once in
// English or Japanese, remembered for the next visit, the browser's language on a first
// one; and the readings of the boxes and lines shown to the keyboard as to the pointer.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { launch, openWorkbench } from './browser.mjs';
import { assembledPage, answerBox, settled } from './helpers.mjs';

// [selector, what is read off it, English, Japanese]
const TEXTS = [
  ['#menuFile', 'text', 'File', 'ファイル'],
  ['#fileNew', 'text', 'New', '新規'],
  ['#fileOpen', 'text', 'Open…Ctrl+O', '開く…Ctrl+O'],
  ['#fileCheck', 'text', 'Check against cases…', 'ケースで確かめる…'],
  ['#menuRun', 'text', 'Run', '実行'],
  ['#runReset', 'text', 'ResetCtrl+F2', 'リセットCtrl+F2'],
  ['#speedItems > :first-child', 'text', 'Full speed', '全速'],
  ['#speedItems > :last-child', 'text', '100 a second', '毎秒 100 命令'],
  ['#speedHeading', 'text', 'Speed', '速度'],
  ['#languageHeading', 'text', 'Language', '言語'],
  ['#Back', 'text', 'Back', '1 ステップ戻る'],
  ['#problemTitle', 'text', 'Problems', '問題'],
  ['#replaceTabs', 'text', 'Replace tabs by blanks', 'タブを空白に置き換える'],
  ['#saveChanges .discard', 'text', 'Discard', '破棄(D)'],
  ['#saveChanges .discard', 'accesskey', 'd', 'd'],
  ['#messageBox .cancel', 'text', 'Cancel', 'キャンセル'],
  ['#List1', 'aria-label', 'Object program', 'オブジェクトプログラム'],
  ['#problemCount', 'title', 'Show or hide the problem list', '問題の一覧を表示または非表示にします'],
  ['#consoleInput', 'placeholder', 'The line the next IN reads', '次の IN が読む行'],
  ['#Text1 .cm-content', 'aria-label', 'Source program', 'ソースプログラム'],
  ['html', 'lang', 'en', 'ja'],
  // The logic's texts follow at once, the design's stay as they are.
  ['#problemCount', 'text', '1 warning', '警告 1 件'],
  ['#capSource', 'text', 'Souce Program', 'Souce Program'],
  ['#Command3', 'text', '操作説明', '操作説明'],
];

const shownTexts = (page) => page.evaluate((texts) => texts.map(([selector, what]) => {
  const element = document.querySelector(selector);
  return what === 'text' ? element.textContent : element.getAttribute(what);
}), TEXTS);

const chooseLanguage = async (page, id) => {
  await page.click('#menuView');
  await page.click(`#${id}`);
  await settled(page);
};

const PROGRAM = 'PGM   START\n      LD    GR1,A,GR0\n      EXIT\nA     DC    3\n      END\n';

test('View ▸ Language redraws every text in Japanese and back in English', async () => {
  const browser = await launch();
  const { page, errors } = await assembledPage(browser.context, 'lang.casl', PROGRAM, { debug: true });
  await settled(page);
  assert.deepEqual(await shownTexts(page), TEXTS.map((t) => t[2]));
  const englishRow = await page.textContent('#problemList > div');
  assert.equal(await page.getAttribute('#viewEnglish', 'aria-checked'), 'true');

  await chooseLanguage(page, 'viewJapanese');
  assert.deepEqual(await shownTexts(page), TEXTS.map((t) => t[3]));
  assert.equal(await page.getAttribute('#viewJapanese', 'aria-checked'), 'true');
  assert.notEqual(await page.textContent('#problemList > div'), englishRow);
  await page.hover('#List1 > div:nth-child(1)');
  assert.match(await page.getAttribute('#List1 > div:nth-child(1)', 'title'), /^2 行目: {7}LD/);

  // The question before changes are lost asks in the language chosen.
  await page.click('#Text1 .cm-content');
  await page.keyboard.type('; mine\n');
  await page.click('#menuFile');
  await page.click('#fileNew');
  assert.deepEqual(await answerBox(page, 'saveChanges', 'cancel'),
    { title: 'COMET Emulation', text: 'lang.casl の変更を保存しますか？保存しないと変更は失われます。' });

  await chooseLanguage(page, 'viewEnglish');
  assert.deepEqual(await shownTexts(page), TEXTS.map((t) => t[2]));
  assert.equal(await page.textContent('#problemList > div'), englishRow);
  assert.deepEqual(errors, []);
  await browser.close();
});

test('the language chosen is the next visit\'s', async () => {
  const browser = await launch();
  const { page } = await openWorkbench(browser.context);
  await chooseLanguage(page, 'viewJapanese');
  await page.reload();
  await page.waitForSelector('body[data-ready="true"]');
  assert.equal(await page.textContent('#menuFile'), 'ファイル');
  assert.equal(await page.getAttribute('html', 'lang'), 'ja');
  await browser.close();
});

test('a first visit speaks the browser\'s language', async () => {
  for (const [locale, file] of [['ja-JP', 'ファイル'], ['en-GB', 'File'], ['fr-FR', 'File']]) {
    const browser = await launch({ locale });
    const { page } = await openWorkbench(browser.context);
    assert.equal(await page.textContent('#menuFile'), file, locale);
    assert.equal(await page.getAttribute('html', 'lang'), file === 'File' ? 'en' : 'ja', locale);
    await browser.close();
  }
});

// The reading shown beside what has the focus, as a tooltip describes it, or null.
const focusReading = (page) => page.evaluate(() => {
  const tip = document.getElementById('reading');
  const described = document.querySelector('[aria-describedby="reading"]');
  return tip.hidden ? null : { text: tip.textContent, described: described?.id };
});

test('the keyboard reads a register box, the listing\'s line and the dump\'s lines as the pointer does', async () => {
  const browser = await launch();
  const { page, errors } = await assembledPage(browser.context, 'focus.casl', '      LD    GR1,A,GR2\n      RET\nA     DC    #0700\n', { debug: true });
  await settled(page);
  await page.focus('#txtGR6');
  await page.keyboard.press('Tab');
  await page.hover('#txtGR0');
  const title = (await page.getAttribute('#txtGR0', 'title')).replaceAll('\r\n', '\n');
  assert.match(title, /^Hexadecimal 0000\nUnsigned decimal 0\n/);
  assert.deepEqual(await focusReading(page), { text: title, described: 'txtGR0' });

  await page.focus('#txtGR5');
  await page.keyboard.press('Tab');
  const listing = await focusReading(page);
  assert.equal(listing.described, await page.getAttribute('#List1', 'aria-activedescendant'));
  assert.match(listing.text, /^Line 1: {7}LD {4}GR1,A,GR2\nInstruction LD GR1, 0003, GR2\n/);

  await page.keyboard.press('Tab');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  const dump = await focusReading(page);
  assert.equal(dump.described, await page.getAttribute('#List2', 'aria-activedescendant'));
  assert.match(dump.text, /^Line 2: {7}RET\n/);
  await page.keyboard.press('Escape');
  assert.equal(await focusReading(page), null);
  assert.deepEqual(errors, []);
  await browser.close();
});

test('a click on a dump scrolled down leaves it there', async () => {
  const browser = await launch();
  const { page, errors } = await openWorkbench(browser.context);
  await page.click('#Command1');  // the sample: more lines than the dump shows
  await settled(page);
  const scrolled = await page.$eval('#List2', (list) => { list.scrollTop = list.scrollHeight; return list.scrollTop; });
  assert.ok(scrolled > 0);
  await page.click('#List2 > div:last-child');
  assert.equal(await page.$eval('#List2', (list) => list.scrollTop), scrolled);
  assert.deepEqual(errors, []);
  await browser.close();
});
