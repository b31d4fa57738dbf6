// The workbench's logic, compiled to WebAssembly: one call per user action and the
// state to draw. The page keeps no state of the workbench's own.

// The controls a click reaches, numbered as the logic numbers them.
export const Control = { Command1: 1, Command2: 2, Command3: 3, Command4: 4, Command5: 5, Label3: 6, Combo1LostFocus: 7 };

// `page` answers the logic's modal boxes, Run Mode pauses, focus and viewer requests.
export async function loadLogic(createModule, page) {
  const m = await createModule({ page });
  const withString = (name, types, args) => m.ccall(name, null, types, args);
  m._web_load();
  return {
    // A press may show boxes or run in Run Mode: its promise settles when it has ended.
    click: (control) => m.ccall('web_click', null, ['number'], [control], { async: true }),
    editBox: (k, text) => withString('web_edit_box', ['number', 'string'], [k, text]),
    choose: (index) => m._web_choose(index),
    setSource: (text) => withString('web_set_source', ['string'], [text]),
    select: (from, to) => m._web_select(from, to),
    // A file that is not text is answered with a message box: the promise settles after it.
    async openFile(bytes) {
      const at = m._malloc(Math.max(bytes.length, 1));
      m.HEAPU8.set(bytes, at);
      try {
        await m.ccall('web_open_file', null, ['number', 'number'], [at, bytes.length], { async: true });
      } finally {
        m._free(at);
      }
    },
    viewerResized: (width, height) => m._web_viewer_resized(width, height),
    viewerClosed: () => m._web_viewer_closed(),
    // Safe while a press is waiting for the page: it reads, and never waits itself.
    state: () => JSON.parse(m.UTF8ToString(m._web_state())),
  };
}
