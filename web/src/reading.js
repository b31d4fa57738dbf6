// The reading of what the keyboard is on (a register box, the listing's selected line,
// the dump's current line), shown beside it as a tooltip while it has the focus, as the
// pointer's hover shows it as a title, and given to it as its description, so that a
// screen reader reads it too. Esc hides it until the focus moves on.
import { shownText } from './draw.js';

// `readingOf(element)`: { element, text } for the element the focus is on (element: the
// one to describe), or null when it has no reading.
export function createFocusReading(doc, readingOf) {
  const tip = doc.getElementById('reading');
  let described = null;  // the element the tip describes now
  const hide = () => {
    tip.hidden = true;
    described?.removeAttribute('aria-describedby');
    described = null;
  };
  // Below its element, or above it where the window ends; moved left as far as the
  // window's right edge asks. The tip grows with the page's zoom, its place too.
  const place = (element) => {
    const r = element.getBoundingClientRect();
    const { innerWidth, innerHeight } = doc.defaultView;
    const { width, height } = tip.getBoundingClientRect();
    const zoom = width / tip.offsetWidth || 1;
    const below = r.bottom + height <= innerHeight;
    tip.style.left = `${Math.max(0, Math.min(r.left, innerWidth - width)) / zoom}px`;
    tip.style.top = `${(below ? r.bottom : r.top - height) / zoom}px`;
  };
  const draw = () => {
    const focused = doc.activeElement;
    const reading = focused?.matches(':focus-visible') ? readingOf(focused) : null;
    if (!reading?.text) {
      hide();
      return;
    }
    if (described !== reading.element) {
      hide();
      described = reading.element;
      described.setAttribute('aria-describedby', tip.id);
    }
    tip.textContent = shownText(reading.text);
    tip.hidden = false;
    place(reading.element);
  };
  doc.addEventListener('focusin', draw);
  doc.addEventListener('focusout', hide);
  doc.addEventListener('keydown', (e) => { if (e.key === 'Escape') hide(); });
  return { draw };
}
