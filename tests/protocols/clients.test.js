// The language server and the debug adapter driven by real clients: Neovim's built-in LSP
// client, run headless, and the debug adapter protocol client of VS Code's test support.
// COMET_WORKBENCH names the program (default: the build folder's).
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { DebugClient } = require('@vscode/debugadapter-testsupport');

const workbench = process.env.COMET_WORKBENCH || path.join(__dirname, '../../build/comet-workbench');
const echo = path.join(__dirname, 'echo.casl');
const fault = path.join(__dirname, 'fault.casl');
const thread = { threadId: 1 };

test('Neovim shows the assembler\'s diagnostics and an instruction\'s help, and aligns the text', () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'comet-nvim-'));
  try {
    const file = path.join(dir, 'count.casl');
    fs.writeFileSync(file, 'COUNT START\n  LD GR1,ONE\nLOOP  ADD GR1,ONE\n  JMP LOOPS\n  EXIT\nONE DC 1\n END\n');
    const out = path.join(dir, 'answers.json');
    const nvim = spawnSync('nvim', ['--headless', '--clean', '-c', `luafile ${path.join(__dirname, 'neovim_lsp.lua')}`], {
      env: { ...process.env, COMET_WORKBENCH: workbench, COMET_FILE: file, COMET_OUT: out,
             COMET_HOVER_LINE: '2', COMET_HOVER_CHARACTER: '7' },
      encoding: 'utf8', timeout: 60000,
    });
    assert.equal(nvim.status, 0, nvim.stderr);
    const answers = JSON.parse(fs.readFileSync(out, 'utf8'));
    assert.deepEqual(answers.diagnostics.map(d => [d.lnum, d.col, d.end_col, d.severity]), [[3, 6, 11, 1]]);
    assert.match(answers.diagnostics[0].message, /LOOPS/);
    assert.match(answers.hover, /^\*\*ADD: instruction, opcode #21, 2 words\*\*\n\nAdds the word at the address to the register\./);
    assert.deepEqual(answers.formatted, [
      'COUNT   START', '        LD     GR1,ONE', 'LOOP    ADD    GR1,ONE', '        JMP    LOOPS', '        EXIT',
      'ONE     DC     1', '        END']);
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
});

async function register(dc, name) {
  const frames = await dc.stackTraceRequest(thread);
  const scopes = await dc.scopesRequest({ frameId: frames.body.stackFrames[0].id });
  const registers = scopes.body.scopes.find(s => s.name === 'Registers');
  const variables = await dc.variablesRequest({ variablesReference: registers.variablesReference });
  return variables.body.variables.find(v => v.name === name).value;
}

async function withAdapter(body) {
  const dc = new DebugClient(workbench, '--dap', 'comet');
  await dc.start();
  try {
    await body(dc);
  } finally {
    await dc.stop();
  }
}

test('the debug adapter stops at a breakpoint, steps both ways and runs to the end', () => withAdapter(async dc => {
  const loop = { path: echo, line: 6 };
  await dc.hitBreakpoint({ program: echo, input: ['hi'] }, loop);
  assert.equal(await register(dc, 'GR1'), '#0003 (3)');

  await Promise.all([dc.nextRequest(thread), dc.assertStoppedLocation('step', { path: echo, line: 7 })]);
  assert.equal(await register(dc, 'GR1'), '#0007 (7)');

  await Promise.all([dc.stepBackRequest(thread), dc.assertStoppedLocation('step', loop)]);
  assert.equal(await register(dc, 'GR1'), '#0003 (3)');

  await Promise.all([dc.continueRequest(thread), dc.assertStoppedLocation('breakpoint', loop)]);
  assert.equal(await register(dc, 'GR1'), '#0007 (7)');

  await Promise.all([dc.reverseContinueRequest(thread), dc.assertStoppedLocation('breakpoint', loop)]);
  assert.equal(await register(dc, 'GR1'), '#0003 (3)');

  await dc.setBreakpointsRequest({ source: { path: echo }, breakpoints: [] });
  const [, , , exited] = await Promise.all([
    dc.continueRequest(thread), dc.assertOutput('stdout', 'hi\nHELLO\n'), dc.waitForEvent('terminated'), dc.waitForEvent('exited'),
  ]);
  assert.equal(exited.body.exitCode, 0);
}));

test('the debug adapter stops on an address error, steps back from it and exits as --run does', () => withAdapter(async dc => {
  const faulting = { path: fault, line: 3 };
  await Promise.all([dc.configurationSequence(), dc.launch({ program: fault }), dc.assertStoppedLocation('exception', faulting)]);
  await Promise.all([dc.stepBackRequest(thread), dc.assertStoppedLocation('step', faulting)]);
  assert.equal(await register(dc, 'GR1'), '#0001 (1)');
  await Promise.all([dc.continueRequest(thread), dc.assertStoppedLocation('exception', faulting)]);
  const [, exited] = await Promise.all([dc.continueRequest(thread), dc.waitForEvent('exited')]);
  assert.equal(exited.body.exitCode, 4);
}));

test('the debug adapter pauses a program that runs for ever', () => withAdapter(async dc => {
  const forever = path.join(__dirname, 'forever.casl');
  await Promise.all([dc.configurationSequence(), dc.launch({ program: forever }), dc.waitForEvent('initialized')]);
  const [stop] = await Promise.all([dc.waitForEvent('stopped'), dc.pauseRequest(thread)]);
  assert.equal(stop.body.reason, 'pause');
  const frames = await dc.stackTraceRequest(thread);
  assert.ok([2, 3].includes(frames.body.stackFrames[0].line));
}));

test('the debug adapter ends a program that runs for ever when the client disconnects', async () => {
  const dc = new DebugClient(workbench, '--dap', 'comet');
  await dc.start();
  const forever = path.join(__dirname, 'forever.casl');
  await Promise.all([dc.configurationSequence(), dc.launch({ program: forever }), dc.waitForEvent('initialized')]);
  const [stop, answer] = await Promise.all([dc.waitForEvent('stopped'), dc.disconnectRequest({})]);
  assert.equal(stop.body.reason, 'pause');
  assert.equal(answer.success, true);
  dc.stopAdapter();  // gone already: the disconnect ended it
});
