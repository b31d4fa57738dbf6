-- Neovim's own LSP client against `comet-workbench --lsp`: opens COMET_FILE, waits for its
-- diagnostics, asks for a hover at COMET_HOVER_LINE:COMET_HOVER_CHARACTER (from 0) and
-- formats the text; writes the three as JSON to COMET_OUT; then quits, with status 1 when
-- anything failed.
local function run()
  local client = vim.lsp.start_client({
    name = 'comet-workbench',
    cmd = { vim.env.COMET_WORKBENCH, '--lsp' },
    root_dir = vim.fn.fnamemodify(vim.env.COMET_FILE, ':h'),
  })
  assert(client, 'the language server did not start')
  vim.cmd('edit ' .. vim.fn.fnameescape(vim.env.COMET_FILE))
  vim.lsp.buf_attach_client(0, client)
  assert(vim.wait(20000, function() return #vim.diagnostic.get(0) > 0 end, 20), 'no diagnostics came')
  local diagnostics = {}
  for _, d in ipairs(vim.diagnostic.get(0)) do
    table.insert(diagnostics, { lnum = d.lnum, col = d.col, end_col = d.end_col, severity = d.severity, message = d.message })
  end
  local position = { line = tonumber(vim.env.COMET_HOVER_LINE), character = tonumber(vim.env.COMET_HOVER_CHARACTER) }
  local answers = vim.lsp.buf_request_sync(0, 'textDocument/hover',
    { textDocument = vim.lsp.util.make_text_document_params(), position = position }, 20000)
  assert(answers and answers[client] and answers[client].result, 'no hover came')
  local hover = answers[client].result.contents.value
  if vim.lsp.buf.format then vim.lsp.buf.format({ timeout_ms = 20000 }) else vim.lsp.buf.formatting_sync(nil, 20000) end
  local formatted = vim.api.nvim_buf_get_lines(0, 0, -1, false)
  vim.fn.writefile({ vim.fn.json_encode({ diagnostics = diagnostics, hover = hover, formatted = formatted }) }, vim.env.COMET_OUT)
  vim.lsp.stop_client(client)
end

local ok, problem = pcall(run)
if not ok then
  io.stderr:write(tostring(problem) .. '\n')
  vim.cmd('cquit 1')
end
vim.cmd('qall!')
