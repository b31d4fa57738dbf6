// The modal boxes as in-page dialogs: the message box (OK, or OK and Cancel), the
// input box, the question before unsaved changes are lost, the self-check's results and
// the Run Mode progress dialog with its Stop button. Each box's promise settles with the user's answer; Esc
// answers Cancel where there is one.
import { shownText } from './draw.js';
import { fill } from './texts.js';

function answer(dialog, { defaultValue, cancelValue, read = (ok) => ok }) {
  return new Promise((resolve) => {
    const finish = (ok) => {
      dialog.removeEventListener('click', onClick);
      dialog.removeEventListener('cancel', onCancel);
      dialog.removeEventListener('keydown', onKey);
      const value = read(ok);
      dialog.close();
      resolve(value);
    };
    const onClick = (e) => {
      if (e.target.value === 'ok') finish(true);
      else if (e.target.value === 'cancel') finish(cancelValue);
      else if (e.target.value) finish(e.target.value);
    };
    const onCancel = (e) => {
      e.preventDefault();
      finish(cancelValue);
    };
    const onKey = (e) => {
      if (e.key === 'Enter' && e.target.tagName !== 'BUTTON') {
        e.preventDefault();
        finish(defaultValue);
      }
    };
    dialog.addEventListener('click', onClick);
    dialog.addEventListener('cancel', onCancel);
    dialog.addEventListener('keydown', onKey);
    dialog.dataset.shown = String(Number(dialog.dataset.shown ?? 0) + 1);  // boxes shown so far, the same box again too
    dialog.showModal();
  });
}

// `texts()`: the page's texts in the language chosen now.
export function createDialogs(doc, texts) {
  const message = doc.getElementById('messageBox');
  const input = doc.getElementById('inputBox');
  const saveChanges = doc.getElementById('saveChanges');
  const progress = doc.getElementById('runProgress');
  const count = doc.getElementById('runCount');
  let stopped = false;

  function showMessage(text, title, withCancel) {
    message.querySelector('.box-title').textContent = title;
    message.querySelector('.box-text').textContent = shownText(text);
    message.querySelector('.cancel').hidden = !withCancel;
    message.querySelector('.ok').focus();
    const done = answer(message, { defaultValue: true, cancelValue: !withCancel });
    message.querySelector('.ok').focus();
    return done;
  }

  doc.getElementById('runStop').addEventListener('click', () => { stopped = true; });
  progress.addEventListener('cancel', (e) => {
    e.preventDefault();
    stopped = true;
  });

  return {
    messageBox: (text, title) => showMessage(text, title, false),
    okCancelBox: (text, title) => showMessage(text, title, true),
    // The typed text, or null when cancelled.
    inputBox(prompt) {
      const field = input.querySelector('#inputText');
      input.querySelector('.box-text').textContent = prompt;
      field.value = '';
      const done = answer(input, { defaultValue: true, cancelValue: null, read: (ok) => (ok ? field.value : null) });
      field.focus();
      return done;
    },
    // 'save', 'discard' or 'cancel'.
    saveChangesBox(question, title) {
      saveChanges.querySelector('.box-title').textContent = title;
      saveChanges.querySelector('.box-text').textContent = question;
      const done = answer(saveChanges, { defaultValue: true, cancelValue: 'cancel', read: (v) => (v === true ? 'save' : v) });
      saveChanges.querySelector('.ok').focus();
      return done;
    },
    // The self-check's account: the score, a row for each visible case, the hidden ones counted.
    selfCheck(account) {
      const box = doc.getElementById('selfCheck');
      doc.getElementById('selfCheckScore').textContent = account.score;
      doc.getElementById('selfCheckWarnings').textContent = account.warnings.join('\n');
      doc.getElementById('selfCheckEvery').textContent = account.everyCase;
      doc.getElementById('selfCheckHidden').textContent = account.hidden;
      const rows = account.cases.map((c) => {
        const row = doc.createElement('tr');
        for (const text of [c.name, c.result, c.details.join('\n')]) row.insertCell().textContent = text;
        return row;
      });
      box.querySelector('tbody').replaceChildren(...rows);
      const done = answer(box, { defaultValue: true, cancelValue: true });
      box.querySelector('.ok').focus();
      return done;
    },
    // ---- Run Mode progress ----
    runStarted() { stopped = false; },
    showProgress(steps) {
      count.textContent = fill(texts().PageExecutedCount, steps);
      if (!progress.open) {
        progress.showModal();
        doc.getElementById('runStop').focus();
      }
    },
    stopRequested: () => stopped,
    runEnded() { if (progress.open) progress.close(); },
  };
}
