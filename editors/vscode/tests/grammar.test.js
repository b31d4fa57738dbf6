// The extension's colouring knows exactly the words of the workbench's instruction table:
// the grammar's operations, directives and registers are those the language server offers
// as completions (which it reads off that table). COMET_WORKBENCH names the program.
const { test } = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const grammar = require('../syntaxes/casl.tmLanguage.json');

const workbench = process.env.COMET_WORKBENCH || path.join(__dirname, '../../../build/comet-workbench');

function framed(messages) {
  return messages.map(m => {
    const body = Buffer.from(JSON.stringify(m));
    return Buffer.concat([Buffer.from(`Content-Length: ${body.length}\r\n\r\n`), body]);
  });
}

// The messages of a framed stream: each header's length counts bytes of the body after it.
function answers(bytes) {
  const found = [];
  for (let at = bytes.indexOf('Content-Length: '); at >= 0; at = bytes.indexOf('Content-Length: ', at)) {
    const headerEnd = bytes.indexOf('\r\n\r\n', at);
    const length = Number(bytes.subarray(at + 16, headerEnd).toString());
    at = headerEnd + 4 + length;
    found.push(JSON.parse(bytes.subarray(headerEnd + 4, at).toString('utf8')));
  }
  return found;
}

function grammarWords(scope) {
  const pattern = grammar.patterns.find(p => p.name === scope);
  return pattern.match.match(/\(\?:([^)]*)\)/)[1].split('|').sort();
}

test('the grammar colours the words the language server completes, by kind', () => {
  const session = framed([
    { jsonrpc: '2.0', id: 1, method: 'initialize', params: { capabilities: {} } },
    { jsonrpc: '2.0', id: 2, method: 'textDocument/completion',
      params: { textDocument: { uri: 'file:///none.casl' }, position: { line: 0, character: 0 } } },
    { jsonrpc: '2.0', id: 3, method: 'shutdown' },
    { jsonrpc: '2.0', method: 'exit' },
  ]);
  const server = spawnSync(workbench, ['--lsp'], { input: Buffer.concat(session), timeout: 60000 });
  assert.equal(server.status, 0, String(server.stderr));
  const items = answers(server.stdout).find(a => a.id === 2).result;
  const ofKind = kind => items.filter(i => i.kind === kind).map(i => i.label).sort();
  assert.deepEqual(grammarWords('keyword.other.operation.casl'), ofKind(24));
  assert.deepEqual(grammarWords('keyword.control.directive.casl'), ofKind(14));
  assert.deepEqual(grammarWords('variable.language.register.casl'), ofKind(6));
});
