// Drawing the logic's state into plain controls; each touches only what changed, so
// that a watched run repainting after every instruction stays cheap.
import { fill } from './texts.js';

// What a control shows of a text of the logic's (a box's, a tooltip's, the viewer's):
// CR LF is one line break.
export const shownText = (text) => text.replaceAll('\r\n', '\n');

export function setIfChanged(element, property, value) {
  if (element[property] !== value) element[property] = value;
}

// A list box's lines, each a row of its own; only rows whose text changed are touched.
export function drawLines(list, lines) {
  const rows = list.children;
  for (let i = 0; i < lines.length; i++) {
    if (i >= rows.length) {
      const row = list.ownerDocument.createElement('div');
      row.setAttribute('role', 'option');
      list.append(row);
    }
    if (rows[i].textContent !== lines[i]) rows[i].textContent = lines[i];
  }
  while (rows.length > lines.length) rows[rows.length - 1].remove();
}

// The selected line stays selected and in view; -1 selects nothing.
export function drawSelection(list, selected) {
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

// The elements at `indexes` (of `elements`) carry `className`, the others not.
export function markElements(elements, indexes, className) {
  const marked = new Set(indexes);
  for (let i = 0; i < elements.length; i++) elements[i].classList.toggle(className, marked.has(i));
}

// The chooser's items keep their columns: a drop-down would fold their blanks.
export function drawChooser(combo, items, selected) {
  if (combo.options.length !== items.length) {
    combo.replaceChildren(...items.map((item) => new Option(item.replaceAll(' ', '\u00a0'))));
  }
  if (combo.selectedIndex !== selected) combo.selectedIndex = selected;
}

// The chooser's items titled with their help, and the chooser with that of its chosen item.
export function titleChooser(combo, helpOf) {
  for (let i = 0; i < combo.options.length; i++) combo.options[i].title = helpOf(i);
  combo.title = combo.selectedIndex >= 0 ? combo.options[combo.selectedIndex].title : '';
}

// The problem list: one row per problem, its message (with an address also in
// hexadecimal) as the row's tooltip.
export function drawProblems(list, problems) {
  drawLines(list, problems.map((p) => p.row));
  problems.forEach((p, i) => {
    const row = list.children[i];
    setIfChanged(row, 'title', shownText(p.tip));
    setIfChanged(row, 'className', `problem-${p.kind}`);
  });
}

// The speeds the logic offers, as radio items of the Run menu and in the tool bar's
// list, named in the page's language ("Full speed", "5 a second"); the one chosen is
// checked in both.
export function drawSpeeds(items, select, speeds, speed, texts) {
  if (select.options.length !== speeds.length || select.lang !== texts.lang) {
    select.lang = texts.lang;
    select.replaceChildren(...speeds.map((n) => new Option(n === 0 ? texts.PageFullShort : fill(texts.PageSpeedShort, n), String(n))));
    items.replaceChildren(...speeds.map((n) => {
      const item = items.ownerDocument.createElement('button');
      item.type = 'button';
      item.setAttribute('role', 'menuitemradio');
      item.dataset.command = 'speed';
      item.dataset.speed = String(n);
      item.textContent = n === 0 ? texts.PageFullSpeed : fill(texts.PageSpeedPerSecond, n);
      return item;
    }));
  }
  setIfChanged(select, 'value', String(speed));
  for (const item of items.children) item.setAttribute('aria-checked', String(item.dataset.speed === String(speed)));
}
