// The recovery copies of the editor's unsaved changes, kept in the browser's local
// storage as the user types, so that a closed tab or a crash loses nothing: the next
// visit offers a copy back. Each tab keeps its own copy, under a name the tab keeps
// across reloads (in its session storage); a tab holds a lock named after its copy
// while it lives, so a new tab offers only the copies of tabs that are gone. The logic
// writes and reads a copy's text; this only stores it.
const PREFIX = 'comet-workbench.recovery';
const TAB = 'comet-workbench.tab';

const safely = (action) => {
  try {
    return action();
  } catch {
    return null;  // storage may be full or refused (private windows): nothing to keep then
  }
};

// What the next visit starts with, as the desktop keeps it in its settings: the zoom and
// the watching speed, each a number, and the language, a word (null when none was kept).
export function createSettings(storage) {
  const key = (name) => `comet-workbench.${name}`;
  const word = (name) => safely(() => storage.getItem(key(name)));
  return {
    number(name) {
      const kept = word(name);
      return kept === null || kept === '' || !Number.isFinite(Number(kept)) ? null : Number(kept);
    },
    word,
    keep(name, value) { safely(() => storage.setItem(key(name), String(value))); },
  };
}

// The copies' names in `storage`, this tab's own first.
const copyNames = (storage, own) => {
  const names = [];
  for (let i = 0; i < storage.length; i++) {
    const name = storage.key(i);
    if (name.startsWith(PREFIX) && name !== own) names.push(name);
  }
  return [own, ...names.sort()];
};

// Names of the copies whose tabs live (their locks are held); none known without locks.
async function livingCopies(locks) {
  if (!locks) return new Set();
  const { held } = await locks.query();
  return new Set(held.map((l) => l.name));
}

export async function createStore(storage, session, locks = globalThis.navigator?.locks) {
  const tab = safely(() => session.getItem(TAB)) ?? `${Date.now().toString(36)}-${Math.random().toString(36).slice(2, 8)}`;
  safely(() => session.setItem(TAB, tab));
  const own = `${PREFIX}.${tab}`;
  const living = await livingCopies(locks);
  // Held until the tab closes.
  locks?.request(own, () => new Promise(() => {}));
  const names = safely(() => copyNames(storage, own)) ?? [own];
  // The copy offered: this tab's own from before a reload, or one a closed tab left.
  const offered = names.find((name) => safely(() => storage.getItem(name)) && (name === own || !living.has(name))) ?? null;
  return {
    kept: () => (offered ? safely(() => storage.getItem(offered)) : null),
    // Keeps `text` as this tab's copy; the empty text keeps nothing.
    keep(text) {
      safely(() => (text ? storage.setItem(own, text) : storage.removeItem(own)));
    },
    // The copy offered is answered: a closed tab's is gone once brought back or given up.
    forget() {
      if (offered && offered !== own) safely(() => storage.removeItem(offered));
      else safely(() => storage.removeItem(own));
    },
  };
}
