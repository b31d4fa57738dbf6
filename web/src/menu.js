// The menu bar (File, Run, View) and the tool buttons beside it: every item is a
// command of the page, named by its data-command; the keys of the commands work
// anywhere in the page but in an open dialog, and are shown beside their items.
// The keys follow the desktop window's where a browser leaves them to the page
// (F5 Exec, F6 mode, F7 ASM, F9 breakpoint).
export const KEYS = {
  open: ['Ctrl+O'],
  save: ['Ctrl+S'],
  asm: ['F7'],
  exec: ['F5'],
  mode: ['F6'],
  back: ['Shift+F5'],
  runToCursor: ['F4'],
  reset: ['Ctrl+F2'],
  breakpoint: ['F9'],
  stop: ['Escape'],
  zoomIn: ['Ctrl+=', 'Ctrl++'],
  zoomOut: ['Ctrl+-'],
  zoomReset: ['Ctrl+0'],
};

// "Ctrl+S", "Shift+F5", "Escape": a character key's name is the character it types.
function keyName(e) {
  const character = e.key.length === 1;
  const parts = [];
  if (e.ctrlKey || e.metaKey) parts.push('Ctrl');
  if (e.altKey) parts.push('Alt');
  if (e.shiftKey && !character) parts.push('Shift');
  parts.push(character ? e.key.toUpperCase() : e.key);
  return parts.join('+');
}

const commandOfKey = new Map(Object.entries(KEYS).flatMap(([command, keys]) => keys.map((k) => [k, command])));

// `run(command, item)` carries a command out (item: the element chosen, if one was);
// `enabled(command)` says whether it may be now.
export function createMenus(doc, { run, enabled }) {
  const menus = [...doc.querySelectorAll('.menu')];
  const titleOf = (menu) => menu.querySelector('.menu-title');
  const openMenu = () => menus.find((m) => m.classList.contains('open'));
  let returnTo = null;  // where the focus was before the keyboard went into the menus
  const setOpen = (menu, on) => {
    menu.classList.toggle('open', on);
    titleOf(menu).setAttribute('aria-expanded', String(on));
  };
  const close = () => {
    const menu = openMenu();
    if (!menu) return;
    setOpen(menu, false);
    if (menu.contains(doc.activeElement)) returnTo?.focus();
    returnTo = null;
  };
  const itemsOf = (menu) => [...menu.querySelectorAll('.menu-items button')].filter((b) => !b.disabled);
  // Opens a menu from the keyboard with its first usable item focused.
  const enter = (menu) => {
    if (!returnTo) returnTo = doc.activeElement;
    const open = openMenu();
    if (open) setOpen(open, false);
    setOpen(menu, true);
    (itemsOf(menu)[0] ?? titleOf(menu)).focus();
  };

  for (const menu of menus) {
    const title = titleOf(menu);
    title.setAttribute('aria-haspopup', 'menu');
    title.setAttribute('aria-expanded', 'false');
    title.tabIndex = -1;
    title.addEventListener('click', () => {
      const wasOpen = menu.classList.contains('open');
      close();
      if (!wasOpen) setOpen(menu, true);
    });
    // With one menu open, pointing at another opens that one, as menu bars do.
    title.addEventListener('pointerenter', () => {
      if (openMenu() && openMenu() !== menu) {
        close();
        setOpen(menu, true);
      }
    });
    // In an open menu: Up and Down go through its items, Left and Right to the next menu.
    menu.addEventListener('keydown', (e) => {
      const items = itemsOf(menu);
      const at = items.indexOf(doc.activeElement);
      const moves = { ArrowDown: 1, ArrowUp: -1 };
      const sideways = { ArrowRight: 1, ArrowLeft: -1 };
      if (e.key in moves) items[(at + moves[e.key] + items.length) % items.length]?.focus();
      else if (e.key in sideways) enter(menus[(menus.indexOf(menu) + sideways[e.key] + menus.length) % menus.length]);
      else if (e.key === 'Tab') close();
      else return;
      e.preventDefault();
    });
  }
  doc.addEventListener('click', (e) => {
    if (!e.target.closest('.menu-title')) close();
  });
  // As a desktop menu bar, it takes no focus from a click: typing goes on where it was,
  // and a dialog a command opens gives the focus back there.
  doc.querySelector('.menubar').addEventListener('mousedown', (e) => {
    if (e.target.closest('button')) e.preventDefault();
  });
  // F10, or Alt pressed and let go alone, goes into the menu bar and out of it again.
  let altAlone = false;
  doc.addEventListener('keydown', (e) => {
    altAlone = e.key === 'Alt' && !e.ctrlKey && !e.shiftKey && !e.metaKey;
    if (e.key !== 'F10' || e.ctrlKey || e.altKey || e.metaKey || e.shiftKey || doc.querySelector('dialog[open]')) return;
    e.preventDefault();
    if (openMenu()) close();
    else enter(menus[0]);
  }, { capture: true });
  doc.addEventListener('keyup', (e) => {
    if (e.key !== 'Alt' || !altAlone || doc.querySelector('dialog[open]')) return;
    altAlone = false;
    e.preventDefault();
    if (openMenu()) close();
    else enter(menus[0]);
  });

  doc.addEventListener('click', (e) => {
    const item = e.target.closest('[data-command]');
    if (item && !item.disabled) run(item.dataset.command, item);
  });

  for (const item of doc.querySelectorAll('.menu-items [data-command]')) {
    const keys = KEYS[item.dataset.command];
    if (!keys) continue;
    const shown = doc.createElement('span');
    shown.className = 'key';
    shown.textContent = keys[0] === 'Escape' ? 'Esc' : keys[0];
    item.append(shown);
  }

  doc.addEventListener('keydown', (e) => {
    if (doc.querySelector('dialog[open]')) return;
    if (e.key === 'Escape' && openMenu()) {
      close();
      return;
    }
    const command = commandOfKey.get(keyName(e));
    // Esc is the editor's and the tooltips' too when there is nothing to stop; the other
    // keys are the page's always (F5 must not reload it).
    if (!command || (command === 'stop' && !enabled(command))) return;
    e.preventDefault();
    e.stopPropagation();
    if (enabled(command)) run(command);
  }, { capture: true });

  return {
    // Enables each command's items and buttons as `enabled(command)` says now.
    draw() {
      for (const item of doc.querySelectorAll('[data-command]')) {
        const on = enabled(item.dataset.command);
        if (item.disabled === on) item.disabled = !on;
      }
    },
  };
}
