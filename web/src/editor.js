// The source editor Text1: CodeMirror, kept in step with the logic's text. The logic
// joins lines with CR LF and counts that pair as two characters; the editor counts a
// line break as one position, and the logic converts its positions (web_select and
// the state's selStart/selEnd are in the editor's positions).
import { Annotation, Compartment, EditorState } from '@codemirror/state';
import { drawSelection, EditorView, hoverTooltip, keymap } from '@codemirror/view';
import { defaultKeymap, history, historyKeymap, insertNewline } from '@codemirror/commands';
import { markExtensions, nameMarks } from './editor_marks.js';
import { colouring } from './editor_colouring.js';

const fromLogic = Annotation.define();  // a change the logic made, not the user

const logicText = (doc) => doc.sliceString(0, doc.length, '\r\n');
const editorLines = (source) => source.split(/\r\n|\r|\n/).join('\n');
const isHighSurrogate = (s, i) => i >= 0 && i < s.length && s.charCodeAt(i) >= 0xd800 && s.charCodeAt(i) <= 0xdbff;
const isLowSurrogate = (s, i) => i >= 0 && i < s.length && s.charCodeAt(i) >= 0xdc00 && s.charCodeAt(i) <= 0xdfff;

// The part of `current` that differs from `target`, never splitting a character.
function changedPart(current, target) {
  const limit = Math.min(current.length, target.length);
  let prefix = 0;
  while (prefix < limit && current[prefix] === target[prefix]) prefix++;
  if (prefix > 0 && isHighSurrogate(current, prefix - 1)) prefix--;
  let suffix = 0;
  while (suffix < limit - prefix && current[current.length - 1 - suffix] === target[target.length - 1 - suffix]) suffix++;
  if (suffix > 0 && isLowSurrogate(current, current.length - suffix)) suffix--;
  return { from: prefix, to: current.length - suffix, insert: target.slice(prefix, target.length - suffix) };
}

// `changed(edit, selection)` hears of the user's edits: the edit (null when only the
// selection moved: {from, to, insert, length, text()}, the part of the text before it
// replaced, in the editor's positions, the text inserted and the editor's length after
// it, and the whole new text on demand) and the main selection, once the editor's
// update is over (so that what it draws in answer may update the editor again).
// `toggleBreakpoint(line)` and `replaceTabs()` hear of a click in the breakpoint gutter
// and of a tab warning's fix; `colourLines(text)` gives the syntax colours of whole
// lines (see editor_colouring.js); `helpAt(line, column)` the help on the instruction
// at a place of a line, "" for none.
// The one stretch of an update's changes, whatever its transactions.
function changedStretch(changes) {
  const stretch = { fromA: Infinity, toA: -Infinity, fromB: Infinity, toB: -Infinity };
  changes.iterChangedRanges((fromA, toA, fromB, toB) => {
    stretch.fromA = Math.min(stretch.fromA, fromA);
    stretch.toA = Math.max(stretch.toA, toA);
    stretch.fromB = Math.min(stretch.fromB, fromB);
    stretch.toB = Math.max(stretch.toB, toB);
  });
  return stretch;
}

// The pointer resting on an instruction, a directive or a register shows its help.
function instructionHelp(helpAt) {
  return hoverTooltip((view, pos) => {
    const line = view.state.doc.lineAt(pos);
    const text = helpAt(line.text, pos - line.from);
    if (!text) return null;
    return {
      pos,
      above: true,
      create() {
        const dom = document.createElement('div');
        dom.className = 'cm-instruction-help';
        dom.textContent = text.replaceAll('\r\n', '\n');
        return { dom };
      },
    };
  });
}

export function createEditor(parent, { changed, toggleBreakpoint, replaceTabs, colourLines, helpAt }) {
  const editable = new Compartment();
  const marking = markExtensions({ toggleBreakpoint, replaceTabs });
  let shownSource = null;
  let shownMarks = null;
  let name = '';  // the editor's name for a screen reader, in the page's language
  const extensions = [
    ...marking.extensions,
    colouring(colourLines),
    instructionHelp(helpAt),
    history(),
    drawSelection(),
    EditorState.tabSize.of(8),
    EditorView.contentAttributes.of(() => ({ 'aria-label': name })),
    // Enter starts a line with no blanks copied, as the window's editor does; Tab is
    // left to the page, which moves the focus on (the assembler reads no tab).
    keymap.of([{ key: 'Enter', run: insertNewline }, ...defaultKeymap, ...historyKeymap]),
    editable.of(EditorState.readOnly.of(false)),
    EditorView.updateListener.of((update) => {
      if (update.transactions.some((t) => t.annotation(fromLogic))) return;
      if (!update.docChanged && !update.selectionSet) return;
      const edit = update.docChanged ? editOf(update) : null;
      const selection = update.state.selection.main;
      queueMicrotask(() => changed(edit, selection));
    }),
  ];
  const view = new EditorView({ parent, state: EditorState.create({ extensions }) });
  // The user's edit, as `changed` hears of it; the text it leaves is what the logic holds.
  function editOf(update) {
    const { fromA, toA, fromB, toB } = changedStretch(update.changes);
    const { doc } = update.state;
    let text = null;
    return {
      from: fromA,
      to: toA,
      insert: doc.sliceString(fromB, toB, '\r\n'),
      length: doc.length,
      text: () => {
        text ??= logicText(doc);
        shownSource = text;
        return text;
      },
    };
  }

  return {
    view,
    focus: () => view.focus(),
    // Read-only, the editor keeps its focus and caret: the user's typing just waits.
    setEditable: (on) => view.dispatch({ effects: editable.reconfigure(EditorState.readOnly.of(!on)) }),
    // Shows the logic's text and selection; a new text replaces only what changed, as
    // one undoable edit. The text of a new document starts the editor afresh, with no
    // undo history.
    draw(source, selStart, selEnd, newDocument) {
      const selection = { anchor: selStart, head: selEnd };
      const sel = view.state.selection.main;
      if (newDocument) {
        view.setState(EditorState.create({ doc: editorLines(source), selection, extensions }));
        shownSource = source;
        shownMarks = null;
      } else if (source !== shownSource) {
        view.dispatch({
          changes: changedPart(view.state.doc.toString(), editorLines(source)),
          selection,
          annotations: fromLogic.of(true),
          scrollIntoView: true,
        });
        shownSource = source;
      } else if (sel.from !== selStart || sel.to !== selEnd) {
        view.dispatch({ selection, annotations: fromLogic.of(true), scrollIntoView: true });
      }
    },
    // Scrolls the least that shows `line` (from 1) with `context` lines around it.
    showLine(line, context) {
      if (line < 1 || line > view.state.doc.lines) return;
      const yMargin = context * view.defaultLineHeight;
      view.dispatch({ effects: EditorView.scrollIntoView(view.state.doc.line(line).from, { y: 'nearest', yMargin }) });
    },
    // Shows the marks around the text ({problems, breakpoints, pcLine} as the state has them).
    drawMarks(marks) {
      for (const change of marking.changesFor(view.state, marks, shownMarks)) view.dispatch({ ...change, annotations: fromLogic.of(true) });
      shownMarks = marks;
    },
    // The editor's name and its marks' tooltips in the page's language (`texts`, the
    // page's texts); the marks shown are shown again with them.
    nameTexts(texts) {
      name = texts.PageSourceProgram;
      nameMarks(texts);
      const marks = shownMarks ?? { problems: [], breakpoints: [], pcLine: 0 };
      shownMarks = null;
      this.drawMarks(marks);
    },
  };
}
