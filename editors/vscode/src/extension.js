// Starts comet-workbench as the language server of CASL files and as the debug adapter of
// "comet" launches. Both talk on the program's standard input and output.
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

function workbenchPath() {
  return vscode.workspace.getConfiguration('comet').get('workbenchPath', 'comet-workbench');
}

async function activate(context) {
  client = new LanguageClient('comet', 'COMET Workbench',
    { command: workbenchPath(), args: ['--lsp'] },
    { documentSelector: [{ language: 'casl' }] });
  await client.start();
  context.subscriptions.push(vscode.debug.registerDebugAdapterDescriptorFactory('comet', {
    createDebugAdapterDescriptor: () => new vscode.DebugAdapterExecutable(workbenchPath(), ['--dap']),
  }));
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
