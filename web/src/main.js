// The page: draws the logic's state into the main window, the viewer and the boxes,
// and delivers the user's actions to the logic, as the desktop window does.
import { loadLogic } from './logic.js';
import { createDialogs } from './dialogs.js';
import { createEditor } from './editor.js';
import { createMenus } from './menu.js';
import { createSettings, createStore } from './storage.js';
import { createViewer } from './viewer.js';
import { createFocusReading } from './reading.js';
import { browserLanguage, drawTexts, fill } from './texts.js';
import { wireListKeys, wireTabOrder } from './keyboard.js';
import { drawChooser, drawLines, drawProblems, drawSelection, drawSpeeds, markElements, setIfChanged, titleChooser } from './draw.js';

const $ = (id) => document.getElementById(id);
let texts = null;        // the page's own texts, in the language chosen
const dialogs = createDialogs(document, () => texts);
let store = null;        // the recovery copies, once this tab's is known
const settings = createSettings(window.localStorage);

let logic = null;
let constants = null;    // what the page counts and numbers as the logic does
let boxes = [];          // the register boxes, GR0..GR4, FR, PC
let shown = null;        // the state last drawn
let busy = false;        // an action is under way: other actions wait for its end
let watch = null;        // a press watched step by step: { stop() } while it runs
let zoom = 0;            // the index of the zoom level in constants.zoomPercents
let focusEditor = false; // the logic gave the editor the focus during the action under way
let shownDocument = null;  // the number of the document the editor shows
let keptKey = null;      // what the recovery copy last kept was made of
let recoveryTimer = null;  // a recovery copy waits for a pause in the typing
const RECOVERY_DELAY_MS = 500;
let followed = 0;        // the logic's viewFollows the views were last brought to
const yieldChannel = new MessageChannel();

// A turn for the browser: input, timers and painting, with no timer clamping.
function giveTurn() {
  return new Promise((resolve) => {
    yieldChannel.port1.onmessage = () => resolve();
    yieldChannel.port2.postMessage(null);
  });
}

// ---- Drawing -------------------------------------------------------------------------

function draw() {
  const s = logic.state();
  shown = s;
  document.title = s.title;
  editor.draw(s.source, s.selStart, s.selEnd, s.documentNumber !== shownDocument);
  shownDocument = s.documentNumber;
  editor.drawMarks({ problems: s.problems, breakpoints: s.breakpoints, pcLine: s.pcLine });
  drawLines($('List1'), s.list1);
  drawSelection($('List1'), s.list1Selected);
  markElements($('List1').children, s.listingBreakpoints, 'breakpoint');
  drawLines($('List2'), s.list2);
  markElements($('List2').children, s.changedDump, 'changed');
  s.boxes.forEach((text, k) => setIfChanged(boxes[k], 'value', text));
  boxes.forEach((b) => setIfChanged(b, 'readOnly', s.pressActive));
  markElements(boxes, s.changedBoxes, 'changed');
  setIfChanged($('Label3'), 'textContent', s.label3);
  setIfChanged($('Label6'), 'textContent', s.label6);
  drawChooser($('Combo1'), s.items, s.chooser);
  viewer.draw(s.viewer);
  drawView(s.view);
  drawConsole(s.console);
  drawStatus(s);
  menus.draw();
  focusReading.draw();
  keepRecoveryCopy(s);
  return s;
}

// After a step, Back or a run's end: the PC's line, its listing line and the first
// word the step wrote are brought into view; in between the user scrolls freely.
function drawView(view) {
  if (view.follows === followed) return;
  followed = view.follows;
  if (view.editorLine > 0) editor.showLine(view.editorLine, view.contextLines);
  $('List1').children[view.listingRow]?.scrollIntoView({ block: 'nearest' });
  $('List2').children[view.dumpRow]?.scrollIntoView({ block: 'nearest' });
}

let shownConsole = -1;  // the console's changes last drawn

function drawConsole(console) {
  setIfChanged($('consoleDock'), 'hidden', !console.on);
  $('viewConsole').setAttribute('aria-checked', String(console.on));
  setIfChanged($('consoleInput'), 'value', console.input);
  if (console.changes === shownConsole) return;
  shownConsole = console.changes;
  const output = $('consoleOutput');
  output.textContent = console.lines.join('\n');
  output.scrollTop = output.scrollHeight;
}

// The status line, the problem count that shows the list, and the list.
function drawStatus(s) {
  setIfChanged($('runStatus'), 'textContent', s.status);
  setIfChanged($('problemCount'), 'textContent', s.problemSummary);
  setIfChanged($('problemCount'), 'hidden', s.problemSummary === '');
  drawProblems($('problemList'), s.problems);
  drawSpeeds($('speedItems'), $('Speed'), s.speeds, s.speed, texts);
  setIfChanged($('Speed'), 'disabled', !enabled('speed'));
  document.body.dataset.press = String(s.pressActive);
}

// The copy of unsaved changes in the browser's storage follows every change of the
// text or of the document, once typing pauses (writing a long text at every key would
// slow the typing down), and at once when the page is left or hidden; without unsaved
// changes there is none.
function keepRecoveryCopy(s) {
  const key = `${s.documentNumber} ${s.unsaved} ${s.sourceVersion}`;
  if (key === keptKey) return;
  keptKey = key;
  clearTimeout(recoveryTimer);
  recoveryTimer = setTimeout(writeRecoveryCopy, RECOVERY_DELAY_MS);
}

function writeRecoveryCopy() {
  if (recoveryTimer === null) return;
  clearTimeout(recoveryTimer);
  recoveryTimer = null;
  store.keep(logic.recoveryText());
}

// ---- The logic's requests --------------------------------------------------------------

const page = {
  async messageBox(text, title) { draw(); await dialogs.messageBox(text, title); },
  async okCancelBox(text, title) { draw(); return dialogs.okCancelBox(text, title); },
  async inputBox(prompt) { draw(); return dialogs.inputBox(prompt); },
  runStarted() { dialogs.runStarted(); },
  async runPause(steps, showProgress) {
    if (showProgress) dialogs.showProgress(steps);
    draw();
    await giveTurn();
    return dialogs.stopRequested();
  },
  runEnded() { dialogs.runEnded(); },
  // The editor takes the focus once the action is over: a box of the action may be up still.
  focusText1() { focusEditor = true; },
  makeText1FirstInTabOrder() { /* the editor comes first in the page's order already */ },
  showViewer() { viewer.show(); },
};

// ---- User actions ------------------------------------------------------------------------

// Runs one action unless another is under way or a press is watched, then draws the
// state it left.
async function deliver(action) {
  if (busy || watch || !logic) return;
  await carryOut(action);
}

// The focus is lost on the page itself, a disabled control, or one no longer shown (a
// closed box's button, before the browser moves the focus off it).
const isLost = (element) => !element || element === document.body || element.disabled || element.getClientRects().length === 0;

async function carryOut(action) {
  busy = true;
  document.body.dataset.busy = 'true';
  editor.setEditable(false);
  try {
    await action();
  } finally {
    busy = false;
    document.body.dataset.busy = 'false';
    editor.setEditable(!watch);
    draw();
    // A box or a disabled button gives the focus up: the editor takes it.
    if (focusEditor || isLost(document.activeElement)) editor.focus();
    focusEditor = false;
  }
}

// "Exec" or "Run to cursor": a press at full speed runs within the call; a press at a
// set speed is watched, a step each 1000 / speed ms, until it ends or the user stops it.
async function press(toCursor) {
  let watched = false;
  await deliver(async () => { watched = await logic.press(toCursor); });
  if (watched) await watchPress();
}

async function watchPress() {
  let wake = null;
  let stopped = false;
  watch = { stop() { stopped = true; wake?.(); } };
  editor.setEditable(false);
  draw();
  for (let goesOn = true; goesOn;) {
    if (!stopped) {
      await new Promise((resolve) => {
        wake = resolve;
        setTimeout(resolve, 1000 / shown.speed);
      });
    }
    if (stopped) {
      logic.stop();
      break;
    }
    await carryOut(async () => { goesOn = await logic.watchStep(); });
  }
  watch = null;
  editor.setEditable(true);
  draw();
}

// Whether a command may be given now: while a press is watched, only Stop.
function enabled(command) {
  if (!logic) return false;
  if (command === 'stop') return watch !== null;
  if (watch || busy) return command.startsWith('zoom');
  if (command === 'back') return shown.undoSteps > 0;
  return true;
}

const commands = {
  new: () => deliver(async () => { if (await askToSaveChanges()) logic.newDocument(); }),
  open: () => $('filePicker').click(),
  checkCases: () => $('casesPicker').click(),
  save: () => deliver(saveFile),
  help: () => deliver(() => logic.click(constants.controls.Command3)),
  object: () => deliver(() => logic.click(constants.controls.Command4)),
  history: () => deliver(() => logic.click(constants.controls.Command5)),
  asm: () => deliver(() => logic.click(constants.controls.Command1)),
  exec: () => press(false),
  mode: () => deliver(() => logic.click(constants.controls.Label3)),
  back: () => deliver(() => logic.back()),
  runToCursor: () => press(true),
  reset: () => deliver(() => logic.reset()),
  breakpoint: () => deliver(() => logic.toggleBreakpointAtCaret()),
  stop: () => watch?.stop(),
  speed: (item) => deliver(() => setSpeed(Number(item.dataset.speed))),
  zoomIn: () => zoomTo(Math.min(zoom + 1, constants.zoomPercents.length - 1)),
  zoomOut: () => zoomTo(Math.max(zoom - 1, 0)),
  zoomReset: () => zoomTo(constants.normalZoom),
  console: () => deliver(() => logic.setConsole(!shown.console.on)),
  language: (item) => deliver(() => {
    useLanguage(item.dataset.lang);
    settings.keep('language', texts.lang);
  }),
};

const menus = createMenus(document, { run: (command, item) => commands[command](item), enabled });

// The whole window grows or shrinks, its menus, status line, lists, boxes and viewer
// too, as the desktop's View menu zooms it; the next visit starts at it.
function zoomTo(level) {
  zoom = level;
  document.documentElement.style.setProperty('--zoom', String(constants.zoomPercents[level] / 100));
  settings.keep('zoom', constants.zoomPercents[level]);
}

function setSpeed(speed) {
  logic.setSpeed(speed);
  settings.keep('speed', speed);
}

// Every text of the page and of the logic in `code`'s language ("en" or "ja") at once:
// the next draw shows the logic's (status, problems, readings) in it too.
function useLanguage(code) {
  logic.setLanguage(code);
  texts = logic.texts();
  drawTexts(document, texts);
  for (const item of document.querySelectorAll('[data-command="language"]')) {
    item.setAttribute('aria-checked', String(item.dataset.lang === texts.lang));
  }
  editor.nameTexts(texts);
  drawRestoreOffer();
}

// The zoom, the speed and the language the last visit left; a first visit speaks the
// browser's language.
function restoreSettings() {
  useLanguage(settings.word('language') ?? browserLanguage(navigator));
  const level = constants.zoomPercents.indexOf(settings.number('zoom'));
  if (level >= 0) zoomTo(level);
  const speed = settings.number('speed');
  if (speed !== null) logic.setSpeed(speed);
}

const editor = createEditor($('Text1'), {
  changed(edit, selection) {
    if (busy || watch || !logic) return;
    if (edit !== null) logic.setSource(edit, edit.text);
    logic.select(selection.from, selection.to);
    draw();
  },
  toggleBreakpoint: (line) => deliver(() => logic.toggleBreakpoint(line)),
  replaceTabs: () => deliver(() => logic.replaceTabs()),
  colourLines: (text) => (logic ? logic.colourLines(text) : []),
  helpAt: (line, column) => (logic ? logic.helpAt(line, column) : ''),
});

const viewer = createViewer(document, {
  resized: (w, h) => { if (logic && !busy) { logic.viewerResized(w, h); viewer.draw(logic.state().viewer); } },
  closed: () => {
    if (logic && !busy) { logic.viewerClosed(); draw(); }
    editor.focus();
  },
});

// What the keyboard is on and its reading: a register box, the listing's selected line
// (its list's active descendant) or the dump's current line.
function focusedReading(element) {
  const k = boxes.indexOf(element);
  if (k >= 0) return { element, text: logic.boxReading(k) };
  const number = { List1: 1, List2: 2 }[element.id];
  const row = number ? element.querySelector(number === 1 ? '.selected' : '.current') : null;
  if (!row) return null;
  const index = [...element.children].indexOf(row);
  row.id ||= `${element.id}-row${index}`;
  element.setAttribute('aria-activedescendant', row.id);
  return { element: row, text: logic.rowReading(number, index) };
}

const focusReading = createFocusReading(document, (element) => (logic ? focusedReading(element) : null));

// The row of a list that an event happened on, or -1.
const rowOf = (list, e) => [...list.children].indexOf(e.target.closest('[role="option"]'));

function wireControls() {
  $('Label3').addEventListener('click', commands.mode);
  $('Label3').addEventListener('keydown', (e) => { if (e.key === 'Enter' || e.key === ' ') commands.mode(); });
  boxes.forEach((box, k) => {
    box.addEventListener('input', () => deliver(() => logic.editBox(k, box.value)));
    box.addEventListener('mouseover', () => { box.title = logic.boxReading(k); });
  });
  $('Combo1').addEventListener('change', (e) => deliver(() => logic.choose(e.target.selectedIndex)));
  // Each item tells what its word does, in the language of the moment the pointer or the focus comes.
  for (const event of ['mouseenter', 'focus']) {
    $('Combo1').addEventListener(event, (e) => titleChooser(e.target, (index) => logic.chooserHelp(index)));
  }
  // Losing the focus to another window is not a loss of focus within the page.
  $('Combo1').addEventListener('blur', () => {
    if (document.hasFocus()) deliver(() => logic.click(constants.controls.Combo1LostFocus));
  });
  $('Speed').addEventListener('change', (e) => deliver(() => setSpeed(Number(e.target.value))));
  $('consoleClear').addEventListener('click', () => deliver(() => logic.clearConsole()));
  $('consoleInput').addEventListener('input', (e) => deliver(() => logic.consoleInput(e.target.value)));
}

// A listing line clicked selects the source line that made it; a double-click sets or
// clears the breakpoint of that line. The problem list's rows put the caret on their place.
function wireLists() {
  const listing = $('List1');
  listing.addEventListener('click', (e) => {
    const row = rowOf(listing, e);
    if (row >= 0) deliver(() => logic.clickListing(row));
  });
  listing.addEventListener('dblclick', (e) => {
    const row = rowOf(listing, e);
    if (row >= 0) deliver(() => logic.toggleListingBreakpoint(row));
  });
  listing.addEventListener('keydown', (e) => {
    const step = { ArrowDown: 1, ArrowUp: -1 }[e.key];
    if (!step || !shown) return;
    e.preventDefault();
    const row = Math.min(Math.max(shown.list1Selected + step, 0), shown.list1.length - 1);
    deliver(() => logic.clickListing(row));
  });
  // A listing or dump line's reading is made when the pointer rests on it. The keyboard
  // goes through the dump's lines with Up and Down, each read as it is reached.
  for (const [list, number] of [[listing, 1], [$('List2'), 2]]) {
    list.addEventListener('mouseover', (e) => {
      const row = rowOf(list, e);
      if (row >= 0) list.children[row].title = logic.rowReading(number, row);
    });
  }
  wireListKeys($('List2'), () => {});
  $('List2').addEventListener('keydown', focusReading.draw);
  const problems = $('problemList');
  problems.addEventListener('click', (e) => {
    const row = rowOf(problems, e);
    if (row >= 0) deliver(() => logic.goToProblem(row));
  });
  wireListKeys(problems, (row) => deliver(() => logic.goToProblem(row)));
  $('problemCount').addEventListener('click', () => { $('problemDock').hidden = !$('problemDock').hidden; });
  $('problemClose').addEventListener('click', () => { $('problemDock').hidden = true; });
  $('replaceTabs').addEventListener('click', () => deliver(() => logic.replaceTabs()));
}

// ---- Files ---------------------------------------------------------------------------------

// A file picked or dropped on the page is read first (a bad one is refused before
// anything is asked), then opened once unsaved changes are saved or given up.
async function openPicked(file) {
  // Past the logic's limit the file is refused whatever follows: no need to read it all.
  const bytes = new Uint8Array(await file.slice(0, logic.openLimit()).arrayBuffer());
  await deliver(async () => {
    if (await logic.readFile(file.name, bytes) && await askToSaveChanges()) logic.openReadFile();
  });
}

// A case file picked for the self-check: the program in the editor against its cases.
async function checkPicked(file) {
  const bytes = new Uint8Array(await file.slice(0, logic.openLimit()).arrayBuffer());
  await deliver(async () => {
    const account = logic.checkCases(file.name, bytes);
    if (account.error !== undefined) await dialogs.messageBox(account.error, texts.PageCheckCases);
    else await dialogs.selfCheck(account);
  });
}

function wireFiles() {
  $('filePicker').addEventListener('change', (e) => {
    const file = e.target.files[0];
    e.target.value = '';
    if (file) openPicked(file);
  });
  $('casesPicker').addEventListener('change', (e) => {
    const file = e.target.files[0];
    e.target.value = '';
    if (file) checkPicked(file);
  });
  // A file dropped anywhere, the editor too, is opened, not pasted as it is.
  const dropsFile = (e) => e.dataTransfer?.types.includes('Files');
  document.addEventListener('dragover', (e) => { if (dropsFile(e)) e.preventDefault(); }, { capture: true });
  document.addEventListener('drop', (e) => {
    if (!dropsFile(e)) return;
    e.preventDefault();
    e.stopPropagation();
    if (e.dataTransfer.files[0]) openPicked(e.dataTransfer.files[0]);
  }, { capture: true });
  // Leaving the page with unsaved changes is asked about, as closing the window is.
  window.addEventListener('beforeunload', (e) => { if (shown?.unsaved) e.preventDefault(); });
  window.addEventListener('pagehide', writeRecoveryCopy);
  document.addEventListener('visibilitychange', writeRecoveryCopy);
}

// True when the editor's changes are saved, or the user gives them up; false to keep them.
async function askToSaveChanges() {
  if (!logic.state().unsaved) return true;
  draw();
  const answer = await dialogs.saveChangesBox(logic.saveQuestion(), shown.appTitle);
  return answer === 'save' ? saveFile() : answer === 'discard';
}

// The editor's text as its file was written (encoding and line ends), downloaded under
// its name; false when it cannot be (a box said why).
async function saveFile() {
  const bytes = await logic.save();
  if (!bytes) return false;
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  link.download = logic.fileName();
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  return true;
}

let offered = '';  // the name of the document whose kept changes the page offers back

function drawRestoreOffer() {
  if (offered) $('restoreText').textContent = fill(texts.PageRestoreOffer, offered);
}

// The copy kept from the last visit, offered back when it brings anything back. Until
// the user answers or edits, it stays kept.
function offerKeptCopy() {
  const kept = store.kept();
  offered = kept ? logic.recoveryOffer(kept) : '';
  if (!offered) return;
  drawRestoreOffer();
  const bar = $('restoreBar');
  bar.hidden = false;
  $('restoreYes').addEventListener('click', () => {
    bar.hidden = true;
    deliver(async () => {
      if (!await askToSaveChanges()) return;
      store.forget();
      logic.restore(kept);
    });
  }, { once: true });
  $('restoreNo').addEventListener('click', () => {
    bar.hidden = true;
    store.forget();
  }, { once: true });
}

async function start() {
  store = await createStore(window.localStorage, window.sessionStorage);
  logic = await loadLogic(globalThis.createCometModule, page);
  constants = logic.constants;
  boxes = Array.from({ length: constants.boxCount }, (_, k) => $(`txtGR${k}`));
  zoom = constants.normalZoom;
  restoreSettings();
  wireControls();
  wireLists();
  wireFiles();
  wireTabOrder(document);
  const first = logic.state();
  keptKey = `${first.documentNumber} ${first.unsaved} ${first.sourceVersion}`;
  offerKeptCopy();
  draw();
  editor.focus();
  document.body.dataset.ready = 'true';
}

start();
