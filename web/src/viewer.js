// The text viewer frmText as a window in the page: created hidden, shown when the
// logic asks, moved by its title bar, resized from its corner, and reused by every
// report until the user closes it. Its size goes to the logic, which sizes the text box.
import { shownText } from './draw.js';

export const TWIPS_PER_PIXEL = 15;

export function createViewer(doc, { resized, closed }) {
  const frame = doc.getElementById('frmText');
  const caption = doc.getElementById('viewerCaption');
  const box = doc.getElementById('viewerText');
  let drawnText = null;  // the logic's text the box holds

  const closeButton = doc.getElementById('viewerClose');
  closeButton.addEventListener('click', () => {
    frame.hidden = true;
    drawnText = null;
    closed();
  });
  // Esc closes the viewer as it closes the window's.
  frame.addEventListener('keydown', (e) => {
    if (e.key !== 'Escape') return;
    e.preventDefault();
    closeButton.click();
  });

  const title = frame.querySelector('.viewer-title');
  title.addEventListener('pointerdown', (e) => {
    if (e.target !== title && e.target !== caption) return;
    const startX = e.clientX - frame.offsetLeft;
    const startY = e.clientY - frame.offsetTop;
    title.setPointerCapture(e.pointerId);
    const move = (m) => {
      frame.style.left = `${Math.max(0, m.clientX - startX)}px`;
      frame.style.top = `${Math.max(0, m.clientY - startY)}px`;
    };
    const up = () => {
      title.removeEventListener('pointermove', move);
      title.removeEventListener('pointerup', up);
    };
    title.addEventListener('pointermove', move);
    title.addEventListener('pointerup', up);
  });

  new ResizeObserver(() => {
    if (frame.hidden) return;
    resized(Math.round(frame.offsetWidth * TWIPS_PER_PIXEL), Math.round(frame.offsetHeight * TWIPS_PER_PIXEL));
  }).observe(frame);

  let showing = false;  // shown, and to be put at its start or its end once its text is drawn

  return {
    show() {
      frame.hidden = false;
      showing = true;
      box.focus();
    },
    // Caption, text and text box size as the logic has them; a report just shown is
    // read from its start, or from its newest line when the logic says so (the history).
    draw(viewer) {
      if (!viewer.exists) return;
      if (caption.textContent !== viewer.caption) caption.textContent = viewer.caption;
      if (viewer.text !== drawnText) {
        box.value = shownText(viewer.text);
        drawnText = viewer.text;
      }
      box.style.width = `${viewer.boxWidth / TWIPS_PER_PIXEL}px`;
      box.style.height = `${viewer.boxHeight / TWIPS_PER_PIXEL}px`;
      if (!showing) return;
      showing = false;
      const at = viewer.opensAtEnd ? box.value.length : 0;
      box.setSelectionRange(at, at);
      box.scrollTop = viewer.opensAtEnd ? box.scrollHeight : 0;
    },
  };
}
