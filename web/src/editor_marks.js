// What the editor shows around the text, all of it as the logic has it: a gutter of
// breakpoints (a click there toggles one), the line numbers, the last ASM's problems
// (a mark in their own gutter, the statement or operand underlined, the message as a
// tooltip; a tab warning offers its fix there too) and the PC's line highlighted and
// marked in a gutter of its own.
import { RangeSet, StateEffect, StateField } from '@codemirror/state';
import { Decoration, EditorView, GutterMarker, gutter, lineNumbers } from '@codemirror/view';
import { lintGutter, setDiagnostics } from '@codemirror/lint';
import { shownText } from './draw.js';

const showBreakpoints = StateEffect.define();  // the lines (from 1) that hold one
const showPcLine = StateEffect.define();       // the PC's line, 0 for none

// A gutter's mark: an element of its class, with a glyph and a tooltip if it has them.
class Mark extends GutterMarker {
  constructor(className, glyph = '', tip = '') {
    super();
    Object.assign(this, { className, glyph, tip });
  }

  toDOM() {
    const mark = document.createElement('span');
    mark.className = this.className;
    mark.textContent = this.glyph;
    if (this.tip) mark.title = this.tip;
    return mark;
  }
}
let breakpointMarker = new Mark('cm-breakpoint');
let replaceTabsName = '';

// The marks' texts in the page's language (`texts`, the page's texts): the marks
// shown from now on carry them.
export function nameMarks(texts) {
  breakpointMarker = new Mark('cm-breakpoint', '', texts.PageBreakpointTip);
  replaceTabsName = texts.PageReplaceTabs;
}
const pcLineDecoration = Decoration.line({ class: 'cm-pc-line' });
// The PC's line is marked by a glyph as well as its colour: seen without telling colours apart.
const pcMarker = new Mark('cm-pc-marker', '\u25b6');
const pcMarkersOf = (lines) => {
  const at = [];
  for (const line = lines.iter(); line.value; line.next()) at.push(pcMarker.range(line.from));
  return RangeSet.of(at);
};

// Line start positions of the lines that exist, for a set of line numbers.
const lineStartsOf = (doc, lines) => lines.filter((n) => n >= 1 && n <= doc.lines).map((n) => doc.line(n).from);

const breakpointField = StateField.define({
  create: () => RangeSet.empty,
  update(set, tr) {
    for (const e of tr.effects) {
      if (e.is(showBreakpoints)) return RangeSet.of(lineStartsOf(tr.state.doc, e.value).map((at) => breakpointMarker.range(at)));
    }
    return set.map(tr.changes);
  },
});

const pcLineField = StateField.define({
  create: () => Decoration.none,
  update(set, tr) {
    for (const e of tr.effects) {
      if (e.is(showPcLine)) return Decoration.set(lineStartsOf(tr.state.doc, [e.value]).map((at) => pcLineDecoration.range(at)));
    }
    return set.map(tr.changes);
  },
  provide: (field) => EditorView.decorations.from(field),
});

// `toggleBreakpoint(line)` hears of a click in the breakpoint gutter; `replaceTabs()` of
// the fix chosen in a tab warning's tooltip.
export function markExtensions({ toggleBreakpoint, replaceTabs }) {
  return {
    extensions: [
      breakpointField,
      pcLineField,
      gutter({
        class: 'cm-breakpoint-gutter',
        markers: (view) => view.state.field(breakpointField),
        initialSpacer: () => breakpointMarker,
        domEventHandlers: {
          mousedown(view, line) {
            toggleBreakpoint(view.state.doc.lineAt(line.from).number);
            return true;
          },
        },
      }),
      gutter({ class: 'cm-pc-gutter', markers: (view) => pcMarkersOf(view.state.field(pcLineField)) }),
      lineNumbers(),
      lintGutter(),
    ],
    // The transactions that show `marks` ({problems, breakpoints, pcLine}, as the state
    // has them) where they differ from `shown`, the marks last shown.
    changesFor(state, marks, shown) {
      const changes = [];
      if (JSON.stringify(marks.problems) !== JSON.stringify(shown?.problems)) {
        changes.push(setDiagnostics(state, marks.problems.filter((p) => p.from >= 0).map((p) => ({
          from: p.from,
          to: p.to,
          severity: p.kind === 'warning' ? 'warning' : 'error',
          markClass: `cm-problem-${p.kind}`,
          message: shownText(p.tip),
          actions: p.kind === 'warning' ? [{ name: replaceTabsName, apply: () => replaceTabs() }] : [],
        }))));
      }
      const effects = [];
      if (String(marks.breakpoints) !== String(shown?.breakpoints)) effects.push(showBreakpoints.of(marks.breakpoints));
      if (marks.pcLine !== shown?.pcLine) effects.push(showPcLine.of(marks.pcLine));
      if (effects.length) changes.push({ effects });
      return changes;
    },
  };
}
