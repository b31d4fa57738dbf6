// The page's own texts come from the logic's catalogue in the language chosen; the page
// holds only their names: data-text="PageMenuFile" for an element's text, and
// data-text-label, data-text-title and data-text-placeholder for its aria-label, title
// and placeholder.
const ATTRIBUTES = { 'data-text-label': 'aria-label', 'data-text-title': 'title', 'data-text-placeholder': 'placeholder' };

// A text's "{1}", "{2}"... replaced by the arguments.
export const fill = (text, ...args) => text.replace(/\{(\d)\}/g, (whole, k) => String(args[k - 1] ?? whole));

// "&Save" or "保存(&S)": the letter after "&" is underlined and is the element's access key.
function drawWithAccessKey(element, text) {
  const at = text.indexOf('&');
  if (at < 0 || at + 1 >= text.length) {
    element.textContent = text;
    return;
  }
  const key = element.ownerDocument.createElement('u');
  key.textContent = text[at + 1];
  element.replaceChildren(text.slice(0, at), key, text.slice(at + 2));
  element.accessKey = text[at + 1].toLowerCase();
}

// Every named text of `doc` in the language of `texts` (the logic's page texts), at once.
export function drawTexts(doc, texts) {
  doc.documentElement.lang = texts.lang;
  for (const element of doc.querySelectorAll('[data-text]')) drawWithAccessKey(element, texts[element.dataset.text]);
  for (const [name, attribute] of Object.entries(ATTRIBUTES)) {
    for (const element of doc.querySelectorAll(`[${name}]`)) element.setAttribute(attribute, texts[element.getAttribute(name)]);
  }
}

// The language a first visit starts in: the browser's, when it is Japanese; English otherwise.
export const browserLanguage = (navigator) => (navigator.language?.toLowerCase().startsWith('ja') ? 'ja' : 'en');
