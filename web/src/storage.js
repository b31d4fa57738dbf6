// The recovery copy of the editor's unsaved changes, kept in the browser's local
// storage as the user types, so that a closed tab or a crash loses nothing: the next
// visit offers it back. The logic writes and reads the copy's text; this only stores it.
const KEY = 'comet-workbench.recovery';

export function createStore(storage) {
  const safely = (action) => {
    try {
      return action();
    } catch {
      return null;  // storage may be full or refused (private windows): nothing to keep then
    }
  };
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
