// The page's keyboard as the window's: Tab and Shift+Tab go round the controls in the
// window's focus order (the editor first, the chooser last, whose lost focus goes back
// to the editor), skipping what is hidden or disabled; the menu bar and the tool bar
// are left out, as the window's take no focus (Alt or F10 reaches the menus).
export const TAB_ORDER = ['restoreYes', 'restoreNo', 'Text1', 'Command1', 'Command2', 'Label3',
  'txtGR6', 'txtGR0', 'txtGR1', 'txtGR2', 'txtGR3', 'txtGR4', 'txtGR5', 'List1', 'List2',
  'Command3', 'Command4', 'Command5', 'problemCount', 'problemList', 'replaceTabs', 'problemClose', 'Combo1'];

// The element that takes the focus for a control: the editor's text for Text1.
const focusTarget = (control) => control.querySelector('.cm-content') ?? control;
const usable = (control) => !control.disabled && control.getClientRects().length > 0;

export function wireTabOrder(doc) {
  const controls = TAB_ORDER.map((id) => doc.getElementById(id));
  doc.addEventListener('keydown', (e) => {
    if (e.key !== 'Tab' || e.ctrlKey || e.altKey || e.metaKey) return;
    // A dialog keeps the focus among its own controls, the viewer within itself; an
    // open menu takes Tab as leaving it.
    if (doc.querySelector('dialog[open]') || doc.activeElement?.closest('#frmText, .menu.open')) return;
    e.preventDefault();
    const here = controls.findIndex((c) => c.contains(doc.activeElement));
    const step = e.shiftKey ? -1 : 1;
    const start = here >= 0 ? here : (e.shiftKey ? 0 : controls.length - 1);
    for (let k = 1; k <= controls.length; k++) {
      const next = controls[(start + step * k + controls.length * k) % controls.length];
      if (usable(next)) {
        focusTarget(next).focus();
        return;
      }
    }
  }, { capture: true });
}

// A list whose rows are options: Up and Down move its current row, Enter chooses it
// (`choose(row)`). The current row is the list's active descendant.
export function wireListKeys(list, choose) {
  let current = -1;
  const show = (row) => {
    const rows = list.children;
    rows[current]?.classList.remove('current');
    current = Math.min(Math.max(row, 0), rows.length - 1);
    const shown = rows[current];
    if (!shown) return;
    if (!shown.id) shown.id = `${list.id}-row${current}`;
    shown.classList.add('current');
    list.setAttribute('aria-activedescendant', shown.id);
    shown.scrollIntoView({ block: 'nearest' });
  };
  list.addEventListener('keydown', (e) => {
    const step = { ArrowDown: 1, ArrowUp: -1, Home: -Infinity, End: Infinity }[e.key];
    if (step !== undefined) {
      e.preventDefault();
      show(current < 0 && step > 0 ? 0 : current + step);
    } else if (e.key === 'Enter' && current >= 0 && current < list.children.length) {
      e.preventDefault();
      choose(current);
    }
  });
  // The list starts at its first row wholly in view: taking the focus scrolls nothing.
  const firstInView = () => {
    const top = list.getBoundingClientRect().top;
    return Math.max([...list.children].findIndex((row) => row.getBoundingClientRect().top >= top), 0);
  };
  list.addEventListener('focus', () => { if (current < 0 || current >= list.children.length) show(firstInView()); });
}
