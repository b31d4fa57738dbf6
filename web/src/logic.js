// The workbench's logic, compiled to WebAssembly: one call per user action and the
// state to draw. The page keeps no state of the workbench's own.

// `page` answers the logic's modal boxes, Run Mode pauses, focus and viewer requests.
export async function loadLogic(createModule, page) {
  const m = await createModule({ page });
  const withString = (name, types, args) => m.ccall(name, null, types, args);
  // An action that may show a box (or run, for a press): its promise settles when it has ended.
  const awaited = (name, types = [], args = [], returns = null) => m.ccall(name, returns, types, args, { async: true });
  const fromJson = (at) => JSON.parse(m.UTF8ToString(at));
  m._web_load();
  let source = { version: -1, text: '' };  // the logic's text as last read, and its version
  return {
    // What the page counts and numbers as the logic does: the register boxes, the zoom
    // levels (normalZoom the index of 100 %) and the controls a click reaches ("Exec" is a press).
    constants: fromJson(m._web_constants()),
    click: (control) => awaited('web_click', ['number'], [control]),
    // "Exec", or "Run to cursor": true when the press is to be watched step by step.
    press: async (toCursor) => (await awaited('web_press', ['number'], [toCursor ? 1 : 0], 'number')) !== 0,
    // The next step of a watched press: false once it has ended.
    watchStep: async () => (await awaited('web_watch_step', [], [], 'number')) !== 0,
    stop: () => m._web_stop(),
    back: () => m._web_back(),
    reset: () => awaited('web_reset'),
    setSpeed: (speed) => m._web_set_speed(speed),
    toggleBreakpoint: (line) => m._web_toggle_breakpoint(line),
    toggleBreakpointAtCaret: () => m._web_toggle_breakpoint_at_caret(),
    toggleListingBreakpoint: (row) => m._web_toggle_listing_breakpoint(row),
    clickListing: (row) => m._web_click_listing(row),
    goToProblem: (row) => m._web_go_to_problem(row),
    replaceTabs: () => m._web_replace_tabs(),
    editBox: (k, text) => withString('web_edit_box', ['number', 'string'], [k, text]),
    choose: (index) => m._web_choose(index),
    // The text typed is the logic's text now: no need to read it back. Only the edit
    // ({from, to, insert} in the editor's positions) goes to the logic when it fits the
    // logic's text; `text()` gives the whole text otherwise.
    setSource(edit, text) {
      const fits = m.ccall('web_edit_source', 'number', ['number', 'number', 'string', 'number'],
        [edit.from, edit.to, edit.insert, edit.length]) !== 0;
      const whole = text();
      if (!fits) withString('web_set_source', ['string'], [whole]);
      source = { version: m._web_source_version(), text: whole };
    },
    select: (from, to) => m._web_select(from, to),
    // ---- The document ----
    // A file's bytes read as the desktop reads a file: true when it can be opened
    // (openReadFile), false when a message box said why not.
    async readFile(name, bytes) {
      const at = m._malloc(Math.max(bytes.length, 1));
      m.HEAPU8.set(bytes, at);
      try {
        return (await awaited('web_read_file', ['string', 'number', 'number'], [name, at, bytes.length], 'number')) !== 0;
      } finally {
        m._free(at);
      }
    },
    openReadFile: () => m._web_open_read_file(),
    // The editor's program against a case file's bytes: the self-check's account, or { error }.
    checkCases(name, bytes) {
      const at = m._malloc(Math.max(bytes.length, 1));
      m.HEAPU8.set(bytes, at);
      try {
        return fromJson(m.ccall('web_check_cases', 'number', ['string', 'number', 'number'], [name, at, bytes.length]));
      } finally {
        m._free(at);
      }
    },
    openLimit: () => m._web_open_limit(),
    newDocument: () => m._web_new(),
    saveQuestion: () => fromJson(m._web_save_question()),
    // The editor's text as its file's bytes, or null when they cannot be (a box said why).
    async save() {
      if ((await awaited('web_save', [], [], 'number')) === 0) return null;
      return m.HEAPU8.slice(m._web_saved_bytes(), m._web_saved_bytes() + m._web_saved_size());
    },
    fileName: () => m.UTF8ToString(m._web_file_name()),
    // The recovery copy to keep now ("" for none), the name of the document a kept copy
    // would bring changes back to ("" when it brings nothing), and bringing it back.
    recoveryText: () => fromJson(m._web_recovery_text()),
    recoveryOffer: (kept) => fromJson(m.ccall('web_recovery_offer', 'number', ['string'], [kept])),
    restore: (kept) => withString('web_restore', ['string'], [kept]),
    setConsole: (on) => m._web_console(on ? 1 : 0),
    clearConsole: () => m._web_console_clear(),
    consoleInput: (text) => withString('web_console_input', ['string'], [text]),
    viewerResized: (width, height) => m._web_viewer_resized(width, height),
    viewerClosed: () => m._web_viewer_closed(),
    // A listing (1) or dump (2) line's word, source line and instruction, a line each.
    rowReading: (list, row) => m.UTF8ToString(m._web_row_reading(list, row)),
    // The help on the instruction at `column` of an editor line ("" for none), a line each.
    helpAt: (line, column) => m.UTF8ToString(m.ccall('web_help_at', 'number', ['string', 'number'], [line, column])),
    // The help on the word chooser item `index` inserts, a line each.
    chooserHelp: (index) => m.UTF8ToString(m._web_chooser_help(index)),
    // A register box's value read every way (GR0..GR4, FR, PC are 0..6).
    boxReading: (k) => m.UTF8ToString(m._web_box_reading(k)),
    // The page's own texts in the current language, by name, and its code as "lang".
    texts: () => fromJson(m._web_texts()),
    // "en" or "ja": the language of every text the logic gives from now on.
    setLanguage: (code) => withString('web_set_language', ['string'], [code]),
    // The syntax colours of whole lines joined by "\n": begin, end and kind, three numbers a span.
    colourLines: (text) => fromJson(m.ccall('web_colour_lines', 'number', ['string'], [text])),
    // Safe while a press is waiting for the page: it reads, and never waits itself. The
    // editor's text is read only when it changed.
    state() {
      const s = JSON.parse(m.UTF8ToString(m._web_state()));
      if (s.sourceVersion !== source.version) source = { version: s.sourceVersion, text: m.UTF8ToString(m._web_source()) };
      s.source = source.text;
      return s;
    },
  };
}
