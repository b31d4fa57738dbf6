// The editor's syntax colours: the spans the assembler's own lexer reads in the lines
// in view (the logic says what each token is; the page only paints it), redone when
// the text or the view changes.
import { RangeSetBuilder } from '@codemirror/state';
import { Decoration, ViewPlugin } from '@codemirror/view';

export const SPAN_KINDS = ['label', 'mnemonic', 'register', 'number', 'string', 'comment'];
const marks = SPAN_KINDS.map((kind) => Decoration.mark({ class: `cm-tok-${kind}` }));

// `colourLines(text)` gives the spans of whole lines joined by "\n" as a flat list of
// numbers, three per span: begin, end and the kind's index in SPAN_KINDS.
function decorationsOf(view, colourLines) {
  const builder = new RangeSetBuilder();
  for (const { from, to } of view.visibleRanges) {
    const first = view.state.doc.lineAt(from).from;
    const last = view.state.doc.lineAt(to).to;
    const spans = colourLines(view.state.doc.sliceString(first, last, '\n'));
    for (let i = 0; i < spans.length; i += 3) builder.add(first + spans[i], first + spans[i + 1], marks[spans[i + 2]]);
  }
  return builder.finish();
}

export function colouring(colourLines) {
  return ViewPlugin.fromClass(class {
    constructor(view) { this.decorations = decorationsOf(view, colourLines); }
    update(update) {
      if (update.docChanged || update.viewportChanged) this.decorations = decorationsOf(update.view, colourLines);
    }
  }, { decorations: (plugin) => plugin.decorations });
}
