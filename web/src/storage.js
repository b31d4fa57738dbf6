// The recovery copy of the editor's unsaved changes, kept in the browser's local
// storage as the user types, so that a closed tab or a crash loses nothing: the next
// visit offers it back. The logic writes and reads the copy's text; this only stores it.
const KEY = 'comet-workbench.recovery';

const safely = (action) => {
  try {
    return action();
  } catch {
    return null;  // storage may be full or refused (private windows): nothing to keep then
  }
};

// What the next visit starts with, as the desktop keeps it in its settings: the zoom and
// the watching speed, each a number (null when none was kept).
export function createSettings(storage) {
  const key = (name) => `comet-workbench.${name}`;
  return {
    number(name) {
      const kept = safely(() => storage.getItem(key(name)));
      return kept === null || kept === '' || !Number.isFinite(Number(kept)) ? null : Number(kept);
    },
    keep(name, value) { safely(() => storage.setItem(key(name), String(value))); },
  };
}

export function createStore(storage) {
  return {
    kept: () => safely(() => storage.getItem(KEY)),
    // Keeps `text`; the empty text keeps nothing.
    keep(text) {
      safely(() => (text ? storage.setItem(KEY, text) : storage.removeItem(KEY)));
    },
    forget() {
      safely(() => storage.removeItem(KEY));
    },
  };
}
