// The editor's text kept in the browser's local storage as the user types, so that a
// closed tab or a crash loses nothing: the next visit offers it back.
const KEY = 'comet-workbench.source';
const NAME_KEY = 'comet-workbench.name';

export function createStore(storage) {
  const safely = (action) => {
    try {
      return action();
    } catch {
      return null;  // storage may be full or refused (private windows): nothing to keep then
    }
  };
  return {
    // The kept text and file name, or null when nothing worth offering is kept.
    kept(initialText) {
      const text = safely(() => storage.getItem(KEY));
      if (text === null || text === initialText) return null;
      return { text, name: safely(() => storage.getItem(NAME_KEY)) };
    },
    keep(text, name) {
      safely(() => {
        storage.setItem(KEY, text);
        if (name) storage.setItem(NAME_KEY, name);
      });
    },
    forget() {
      safely(() => {
        storage.removeItem(KEY);
        storage.removeItem(NAME_KEY);
      });
    },
  };
}
