// The page: draws the logic's state into the main window, the viewer and the boxes,
// and delivers the user's actions to the logic, as the desktop window does.
import { Control, loadLogic } from './logic.js';
import { createDialogs } from './dialogs.js';
import { createEditor } from './editor.js';
import { createStore } from './storage.js';
import { createViewer } from './viewer.js';

const $ = (id) => document.getElementById(id);
const BOX_COUNT = 7;
const boxes = Array.from({ length: BOX_COUNT }, (_, k) => $(`txtGR${k}`));
const dialogs = createDialogs(document);
const store = createStore(window.localStorage);

let logic = null;
let busy = false;        // a press is under way: other actions wait for its end
let fileName = 'program.casl';
let keptSource = null;   // the text last written to local storage
const yieldChannel = new MessageChannel();

// A turn for the browser: input, timers and painting, with no timer clamping.
function giveTurn() {
  return new Promise((resolve) => {
    yieldChannel.port1.onmessage = () => resolve();
    yieldChannel.port2.postMessage(null);
  });
}

// ---- Drawing -------------------------------------------------------------------------

// A list box's lines, each a row of its own; only rows whose text changed are touched.
function drawLines(list, lines) {
  const rows = list.children;
  for (let i = 0; i < lines.length; i++) {
    if (i >= rows.length) {
      const row = document.createElement('div');
      row.setAttribute('role', 'option');
      list.append(row);
    }
    if (rows[i].textContent !== lines[i]) rows[i].textContent = lines[i];
  }
  while (rows.length > lines.length) rows[rows.length - 1].remove();
}

// The selected line stays selected and in view; -1 selects nothing.
function drawSelection(list, selected) {
  const shown = list.querySelector('.selected');
  const row = selected >= 0 ? list.children[selected] ?? null : null;
  if (shown === row) return;
  shown?.classList.remove('selected');
  shown?.removeAttribute('aria-selected');
  if (!row) return;
  row.classList.add('selected');
  row.setAttribute('aria-selected', 'true');
  row.scrollIntoView({ block: 'nearest' });
}

// The chooser's items keep their columns: a drop-down would fold their blanks.
function drawChooser(items, selected) {
  const combo = $('Combo1');
  if (combo.options.length !== items.length) {
    combo.replaceChildren(...items.map((item) => new Option(item.replaceAll(' ', '\u00a0'))));
  }
  if (combo.selectedIndex !== selected) combo.selectedIndex = selected;
}

function setIfChanged(element, property, value) {
  if (element[property] !== value) element[property] = value;
}

function draw() {
  const s = logic.state();
  document.title = s.title;
  editor.draw(s.source, s.selStart, s.selEnd);
  drawLines($('List1'), s.list1);
  drawSelection($('List1'), s.list1Selected);
  drawLines($('List2'), s.list2);
  s.boxes.forEach((text, k) => setIfChanged(boxes[k], 'value', text));
  setIfChanged($('Label3'), 'textContent', s.label3);
  setIfChanged($('Label6'), 'textContent', s.label6);
  drawChooser(s.items, s.chooser);
  viewer.draw(s.viewer);
  keepSource(s.source);
  return s;
}

function keepSource(source) {
  if (source === keptSource) return;
  keptSource = source;
  store.keep(source, fileName);
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
  focusText1() { editor.focus(); },
  makeText1FirstInTabOrder() { /* the editor comes first in the page's order already */ },
  showViewer() { viewer.show(); },
};

// ---- User actions ------------------------------------------------------------------------

// Runs one action unless a press is under way, then draws the state it left.
async function deliver(action) {
  if (busy || !logic) return;
  busy = true;
  document.body.dataset.busy = 'true';
  editor.setEditable(false);
  try {
    await action();
  } finally {
    busy = false;
    document.body.dataset.busy = 'false';
    editor.setEditable(true);
    draw();
  }
}

const editor = createEditor($('Text1'), {
  changed(text, selection) {
    if (busy || !logic) return;
    if (text !== null) logic.setSource(text);
    logic.select(selection.from, selection.to);
    draw();
  },
});

const viewer = createViewer(document, {
  resized: (w, h) => { if (logic && !busy) { logic.viewerResized(w, h); viewer.draw(logic.state().viewer); } },
  closed: () => deliver(() => logic.viewerClosed()),
});

function wireControls() {
  for (let i = 1; i <= 5; i++) $(`Command${i}`).addEventListener('click', () => deliver(() => logic.click(i)));
  const mode = () => deliver(() => logic.click(Control.Label3));
  $('Label3').addEventListener('click', mode);
  $('Label3').addEventListener('keydown', (e) => { if (e.key === 'Enter' || e.key === ' ') mode(); });
  boxes.forEach((box, k) => box.addEventListener('input', () => deliver(() => logic.editBox(k, box.value))));
  $('Combo1').addEventListener('change', (e) => deliver(() => logic.choose(e.target.selectedIndex)));
  // Losing the focus to another window is not a loss of focus within the page.
  $('Combo1').addEventListener('blur', () => {
    if (document.hasFocus()) deliver(() => logic.click(Control.Combo1LostFocus));
  });
}

// ---- Files ---------------------------------------------------------------------------------

function wireFiles() {
  const menu = $('menuFile').parentElement;
  $('menuFile').addEventListener('click', () => menu.classList.toggle('open'));
  document.addEventListener('click', (e) => { if (!menu.contains(e.target)) menu.classList.remove('open'); });
  $('fileOpen').addEventListener('click', () => { menu.classList.remove('open'); $('filePicker').click(); });
  $('filePicker').addEventListener('change', async (e) => {
    const file = e.target.files[0];
    e.target.value = '';
    if (!file) return;
    const bytes = new Uint8Array(await file.arrayBuffer());
    fileName = file.name;
    await deliver(() => logic.openFile(bytes));
  });
  $('fileSave').addEventListener('click', () => {
    menu.classList.remove('open');
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([logic.state().source], { type: 'text/plain;charset=utf-8' }));
    link.download = fileName;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  });
}

// The copy kept from the last visit, offered back.
function offerKeptSource(initialText) {
  const kept = store.kept(initialText);
  if (!kept) return;
  keptSource = initialText;  // the kept copy stays until the user answers or edits
  const bar = $('restoreBar');
  bar.hidden = false;
  $('restoreYes').addEventListener('click', () => {
    bar.hidden = true;
    if (kept.name) fileName = kept.name;
    deliver(() => logic.setSource(kept.text));
  }, { once: true });
  $('restoreNo').addEventListener('click', () => {
    bar.hidden = true;
    store.forget();
  }, { once: true });
}

async function start() {
  logic = await loadLogic(globalThis.createCometModule, page);
  wireControls();
  wireFiles();
  const initial = logic.state().source;
  keptSource = initial;
  offerKeptSource(initial);
  draw();
  editor.focus();
  document.body.dataset.ready = 'true';
}

start();
