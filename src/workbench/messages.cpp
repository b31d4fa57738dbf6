#include "workbench/messages.hpp"

#include <array>
#include <cstdlib>
#include <span>

namespace comet {
namespace {

struct Entry {
    Msg id;
    const char* english;
    const char* japanese;
};

constexpr std::array<Entry, static_cast<size_t>(Msg::Count_)> kCatalogue{{
    {Msg::KindError, "error", "エラー"},
    {Msg::KindUndefinedName, "undefined name", "未定義の名前"},
    {Msg::KindWarning, "warning", "警告"},
    {Msg::CountOneError, "1 error", "エラー 1 件"},
    {Msg::CountOneUndefinedName, "1 undefined name", "未定義の名前 1 件"},
    {Msg::CountOneWarning, "1 warning", "警告 1 件"},
    {Msg::CountErrors, "{1} errors", "エラー {1} 件"},
    {Msg::CountUndefinedNames, "{1} undefined names", "未定義の名前 {1} 件"},
    {Msg::CountWarnings, "{1} warnings", "警告 {1} 件"},
    {Msg::NoProblems, "No problems", "問題はありません"},
    {Msg::AddressInHex, "Address {1} in hexadecimal", "16 進数で番地 {1}"},
    {Msg::TabWarning, "a tab is not a separator here: use blanks", "ここではタブは区切りになりません。空白を使ってください"},

    {Msg::SyntaxAddress, "Address={1} is where the statement on line {2} would have been placed.",
     "Address={1} は {2} 行目の文が置かれるはずだった番地です。"},
    {Msg::HeadNumber, "A statement begins with a label or an instruction; {1} is a number. A label begins with a letter.",
     "文はラベルか命令で始まります。{1} は数です。ラベルは英字で始めてください。"},
    {Msg::HeadString, "A statement begins with a label or an instruction, not with a string constant.",
     "文はラベルか命令で始まります。文字定数では始められません。"},
    {Msg::HeadRegister, "{1} is a register name: it can be neither a label nor an instruction.",
     "{1} はレジスタ名です。ラベルにも命令にもなりません。"},
    {Msg::NotInstruction, "{1} is no instruction.", "{1} という命令はありません。"},
    {Msg::ReadAsLabel, "{1} was read as a label, so {2} stands where the instruction should be.",
     "{1} がラベルとして読まれたため、命令の位置に {2} があります。"},
    {Msg::RegisterNotOperation, "{1} is a register, not an instruction.", "{1} はレジスタで、命令ではありません。"},
    {Msg::DidYouMean, "Did you mean {1}?", "{1} のことですか？"},
    {Msg::OpenString, "The string constant is not closed: end it with '.",
     "文字定数が閉じていません。' で終えてください。"},
    {Msg::BadNumber, "{1} is not a number a word holds (-32768 to 32767, or #0000 to #FFFF).",
     "{1} は 1 語に入る数ではありません（-32768～32767、または #0000～#FFFF）。"},
    {Msg::DsNegative, "DS reserves a number of words; {1} is negative.", "DS は語数を確保します。{1} は負の数です。"},
    {Msg::DsOperand, "DS takes the number of words to reserve, as a decimal number: DS 10.",
     "DS のオペランドは確保する語数を 10 進数で書きます（例: DS 10）。"},
    {Msg::Undefined, "No label of this program is named {1}; the word reads as 0.",
     "このプログラムには {1} というラベルがありません。その語は 0 になります。"},
    {Msg::UndefinedNoneNear, "Define it as a label (NAME DC 0, NAME DS 1) or correct the name.",
     "ラベルとして定義する（名前 DC 0、名前 DS 1）か、名前を直してください。"},
    {Msg::DuplicateFirst, "{1} was first defined on line {2} (address {3}); every use of it means that one.",
     "{1} は {2} 行目で最初に定義されています（番地 {3}）。どの使用もそちらを指します。"},
    {Msg::NameTableOver, "The name table holds {1} names of a program; this one has {2} already.",
     "名前表に入る名前は {1} 個までです。このプログラムはすでに {2} 個あります。"},
    {Msg::MemoryOver, "The memory holds {2} words (0000 to 00C7); the statements before this one already take {1}.",
     "メモリは {2} 語（0000～00C7）です。この文より前で、すでに {1} 語を使っています。"},
    {Msg::CannotGenerate, "This statement has no instruction to generate.", "この文には生成する命令がありません。"},
    {Msg::OperandForms, "Operands of {1}: {2}", "{1} のオペランドの形: {2}"},

    {Msg::WarnReservedOperand, "{1} is {2}, not a name: the operand reads as 0.",
     "{1} は{2}で、名前ではありません。オペランドは 0 と読まれます。"},
    {Msg::WarnIsInstruction, "an instruction", "命令"},
    {Msg::WarnIsRegister, "a register", "レジスタ"},
    {Msg::WarnNotRegister, "{1} is not a register (GR0 to GR4): it reads as GR0.",
     "{1} はレジスタ（GR0～GR4）ではありません。GR0 と読まれます。"},
    {Msg::WarnReservedLabel, "{1} at the start of the line is the instruction {1}, not a label: {2} becomes its operand.",
     "行頭の {1} はラベルではなく命令 {1} です。{2} はそのオペランドになります。"},
    {Msg::RenameLabel, "A label cannot be a reserved word: rename it, e.g. {1}1.",
     "予約語はラベルになりません。名前を変えてください（例: {1}1）。"},
    {Msg::WarnEmptyOperand, "An empty operand reads as 0.", "空のオペランドは 0 と読まれます。"},
    {Msg::FixEmptyOperand, "Write the operand, or remove the extra comma.", "オペランドを書くか、余分なコンマを消してください。"},
    {Msg::WarnIndexGR0, "GR0 cannot index: the address is used as it is.",
     "GR0 は指標レジスタになりません。アドレスはそのまま使われます。"},
    {Msg::FixIndexGR0, "Use GR1 to GR4 as the index, or leave it out.",
     "指標には GR1～GR4 を使うか、省いてください。"},
    {Msg::WarnFallIntoData, "Execution can run on from the {1} on line {2} into this {3}: its words would run as instructions.",
     "{2} 行目の {1} の後、実行がこの {3} に進みます。データが命令として実行されます。"},
    {Msg::FixFallIntoData, "End the code before its data with EXIT, RET or JMP.",
     "データの前のコードを EXIT、RET か JMP で終えてください。"},
    {Msg::WarnNoExit, "The program has no EXIT and its last instruction goes on to the next word: a run ends only on a zero word or an error.",
     "プログラムに EXIT がなく、最後の命令の後も実行が続きます。実行は 0 の語かエラーでしか終わりません。"},
    {Msg::FixNoExit, "Add EXIT where the program is to end.", "プログラムを終える所に EXIT を書いてください。"},
    {Msg::ReadsAsZero, "The operand reads as 0.", "オペランドは 0 と読まれます。"},
    {Msg::WarnAddressOutside, "Address {1} is outside the memory (0 to 199): the run stops with an address error.",
     "番地 {1} はメモリ（0～199）の外です。実行はアドレスエラーで止まります。"},
    {Msg::FixAddressOutside, "Name the word with a label and use the label.", "語にラベルを付け、そのラベルを使ってください。"},

    {Msg::RunPastProgram, "The PC reached {1}, the statement on line {2}, whose word {3} is no instruction: the PC has come to data, as when a program runs on past its last instruction.",
     "PC が {2} 行目の文の番地 {1} に達しました。その語 {3} は命令ではありません。PC がデータに来ています（最後の命令の後も実行が続いた場合など）。"},
    {Msg::RunBeyondProgram, "The PC reached {1}, beyond the program's words; the word there, {2}, is no instruction: the program ran past its end.",
     "PC がプログラムの外の番地 {1} に達しました。そこの語 {2} は命令ではありません。プログラムの終わりを越えて実行されました。"},
    {Msg::RunAddressPlain, "{1} addressed {2}, outside the memory (0 to 199).", "{1} が番地 {2} を指しました。メモリ（0～199）の外です。"},
    {Msg::RunAddressIndexed, "{1} addressed {3} + {4} ({5}) = {2}, outside the memory (0 to 199).",
     "{1} が番地 {3} + {4}（{5}）= {2} を指しました。メモリ（0～199）の外です。"},
    {Msg::RunPushError, "GR4, the stack pointer, is {1}: PUSH and CALL need it above 0. Set it before the first push, e.g. LEA GR4,200.",
     "スタックポインタ GR4 が {1} です。PUSH と CALL には 0 より大きい値が必要です。最初の PUSH の前に設定してください（例: LEA GR4,200）。"},
    {Msg::RunBadField, "The word {1} at {2} names a register that does not exist (GR0 to GR4 and FR only).",
     "番地 {2} の語 {1} は存在しないレジスタを指しています（GR0～GR4 と FR のみ）。"},
    {Msg::ReadHex, "Hexadecimal {1}", "16 進数 {1}"},
    {Msg::ReadUnsigned, "Unsigned decimal {1}", "符号なし 10 進数 {1}"},
    {Msg::ReadSigned, "Signed decimal {1}", "符号付き 10 進数 {1}"},
    {Msg::ReadBinary, "Binary {1}", "2 進数 {1}"},
    {Msg::ReadChars, "Characters {1}", "文字 {1}"},
    {Msg::FlagsPlus, "FR {1}: the last result was above 0", "FR {1}: 直前の結果は 0 より大きい"},
    {Msg::FlagsZero, "FR {1}: the last result was 0", "FR {1}: 直前の結果は 0"},
    {Msg::FlagsMinus, "FR {1}: the last result was negative", "FR {1}: 直前の結果は負"},
    {Msg::FlagsOther, "FR {1}: no value an instruction sets (0000, 4000 or 8000)",
     "FR {1}: 命令が設定する値（0000、4000、8000）ではありません"},
    {Msg::ReadSourceLine, "Line {1}: {2}", "{1} 行目: {2}"},
    {Msg::ReadInstruction, "Instruction {1}", "命令 {1}"},
    {Msg::UnknownLanguage, "unknown language {1}: use en or ja", "不明な言語 {1}: en か ja を指定してください"},
    {Msg::StatusRunning, "Running\u2026", "実行中\u2026"},
    {Msg::StepsOne, "1 instruction", "1 命令"},
    {Msg::StepsMany, "{1} instructions", "{1} 命令"},
    {Msg::EndedByExit, "Ended by EXIT after {1}", "{1}を実行し、EXIT で終了しました"},
    {Msg::StoppedByYou, "Stopped by you at {1} after {2}", "{2}を実行し、{1} で止めました"},
    {Msg::EndedAddressError, "Address error at {1} after {2}", "{2}を実行し、{1} でアドレスエラーになりました"},
    {Msg::CancelledInOutput, "Cancelled in the output box after {1}", "{1}を実行し、出力ボックスで取り消されました"},
    {Msg::StoppedBeforeBreak, "Stopped before the instruction at {1} after {2}", "{2}を実行し、{1} の命令の前で止まりました"},
    {Msg::StoppedInLoop, "Stopped in an endless loop at {1} after {2}", "{2}を実行し、{1} の無限ループで止まりました"},
    {Msg::ExecutedOne, "Executed the instruction at {1}; the next is at {2}", "{1} の命令を実行しました。次は {2} です"},
    {Msg::AtLineAddress, "line {1} (address {2})", "{1} 行目（番地 {2}）"},
    {Msg::AtAddress, "address {1}", "番地 {1}"},
    {Msg::AtBreakpoint, "Stopped at the breakpoint on {1}", "{1}のブレークポイントで止まりました"},
    {Msg::ReachedPlace, "Reached {1}", "{1}に達しました"},
    {Msg::LoopRepeats, "Endless loop: steps {1} to {2} repeat (addresses {3} to {4})",
     "無限ループです: ステップ {1}～{2} が繰り返されています（番地 {3}～{4}）"},
    {Msg::SteppedBack, "Stepped back: {1}", "1 ステップ戻しました: {1}"},
    {Msg::NothingToStepBack, "Nothing to step back: {1}", "戻せるステップはありません: {1}"},
    {Msg::StepOne, "1 step", "1 ステップ"},
    {Msg::StepMany, "{1} steps", "{1} ステップ"},
    {Msg::UndoReach, "{1} can be undone", "あと {1}戻せます"},
    {Msg::UndoDropped, "{1}; older steps were dropped to stay within the undo memory",
     "{1}。取り消し用のメモリに収めるため、古いステップは捨てました"},
    {Msg::ResetLoaded, "Reset: the program is loaded again", "リセット: プログラムを読み込み直しました"},
    {Msg::LineNoWords, "Line {1} makes no words", "{1} 行目は語を生成しません"},
    {Msg::LineChanged, "Line {1} has changed since the last ASM", "{1} 行目は前回の ASM の後に変更されています"},
    {Msg::BreakAfterAsm, "The breakpoint on line {1} stops runs after the next ASM",
     "{1} 行目のブレークポイントは次の ASM の後から有効になります"},
    {Msg::NoSuchLine, "There is no line {1}: the text has {2} lines", "{1} 行目はありません。テキストは {2} 行です"},
    {Msg::CleanMachine, "{1}: a clean machine, nothing assembled yet", "{1}: まっさらな機械です。まだ何もアセンブルしていません"},
    {Msg::BackReaches, "Back reaches {1}", "戻れるのは {1}までです"},
    {Msg::MenuFile, "&File", "ファイル(&F)"},
    {Msg::MenuRun, "&Run", "実行(&R)"},
    {Msg::MenuView, "&View", "表示(&V)"},

    // ---- The window's items, tool bar, docks and boxes ----
    {Msg::ItemNew, "&New", "新規(&N)"},
    {Msg::ItemOpen, "&Open…", "開く(&O)…"},
    {Msg::ItemRecentFiles, "Recent &files", "最近使ったファイル(&F)"},
    {Msg::ItemSave, "&Save", "保存(&S)"},
    {Msg::ItemSaveAs, "Save &As…", "名前を付けて保存(&A)…"},
    {Msg::ItemQuit, "&Quit", "終了(&Q)"},
    {Msg::ItemAsm, "&ASM", "ASM(&A)"},
    {Msg::ItemExec, "&Exec", "Exec(&E)"},
    {Msg::ItemBack, "&Back", "1 ステップ戻る(&B)"},
    {Msg::ItemRunToCursor, "Run to &cursor", "カーソルの行まで実行(&C)"},
    {Msg::ItemSwitchMode, "Switch &mode", "モードの切り替え(&M)"},
    {Msg::ItemToggleBreakpoint, "Toggle break&point", "ブレークポイントの設定/解除(&P)"},
    {Msg::ItemReset, "&Reset", "リセット(&R)"},
    {Msg::ItemSpeed, "&Speed", "速度(&S)"},
    {Msg::ItemFullSpeed, "&Full speed", "全速(&F)"},
    {Msg::ItemOneASecond, "&1 instruction a second", "毎秒 &1 命令"},
    {Msg::ItemManyASecond, "&{1} instructions a second", "毎秒 &{1} 命令"},
    {Msg::ItemCheckAgainstCases, "Check against &cases…", "ケースで確かめる(&K)…"},
    {Msg::ItemStopRun, "Stop the run", "実行を止める"},
    {Msg::ItemZoomIn, "Zoom &in", "拡大(&I)"},
    {Msg::ItemZoomOut, "Zoom &out", "縮小(&O)"},
    {Msg::ItemResetZoom, "&Reset zoom", "拡大率を元に戻す(&R)"},
    {Msg::ItemConsole, "Output &console", "出力コンソール(&C)"},
    {Msg::ItemLanguage, "&Language", "言語(&L)"},
    {Msg::ItemReplaceTabs, "Replace tabs by blanks", "タブを空白に置き換える"},
    {Msg::TipAsm, "Assemble the program", "プログラムをアセンブルします"},
    {Msg::TipExec, "Execute: one instruction in Debug Mode, to the end in Run Mode", "実行します。Debug Mode では 1 命令、Run Mode では最後まで実行します"},
    {Msg::TipSwitchMode, "Switch between Debug Mode and Run Mode (Space or Enter when it has the focus)", "Debug Mode と Run Mode を切り替えます（フォーカスがあるときは Space か Enter でも）"},
    {Msg::TipBack, "Undo the last executed instruction", "最後に実行した命令を取り消します"},
    {Msg::TipRunToCursor, "Run until the PC reaches the caret's line", "PC がカーソルのある行に達するまで実行します"},
    {Msg::TipReset, "Clear memory and registers, and assemble the program again", "メモリとレジスタを消去し、プログラムをアセンブルし直します"},
    {Msg::TipProblemCount, "Show or hide the problem list", "問題の一覧を表示または非表示にします"},
    {Msg::TipUndoLimit, "Older steps were dropped to stay within the undo memory", "取り消し用のメモリに収めるため、古いステップは捨てました"},
    {Msg::TitleDebugBar, "Debugging", "デバッグ"},
    {Msg::TitleProblems, "Problems", "問題"},
    {Msg::TitleConsole, "Output console", "出力コンソール"},
    {Msg::ConsoleOutput, "Output", "出力"},
    {Msg::ConsoleInput, "&Input:", "入力(&I):"},
    {Msg::ConsoleInputHint, "The line the next IN reads", "次の IN が読む行"},
    {Msg::ConsoleClear, "C&lear", "消去(&L)"},
    {Msg::NameSource, "Source program", "ソースプログラム"},
    {Msg::NameListing, "Object program", "オブジェクトプログラム"},
    {Msg::NameDump, "Memory dump", "メモリダンプ"},
    {Msg::NameChooser, "Instruction", "命令"},
    {Msg::DialogOpen, "Open", "開く"},
    {Msg::DialogSaveAs, "Save As", "名前を付けて保存"},
    {Msg::DialogCheckAgainstCases, "Check against cases", "ケースで確かめる"},
    {Msg::FilterSources, "CASL sources (*.casl *.cas *.asm);;All files (*)", "CASL のソース (*.casl *.cas *.asm);;すべてのファイル (*)"},
    {Msg::FilterCases, "Case files (*.toml);;All files (*)", "ケースファイル (*.toml);;すべてのファイル (*)"},
    {Msg::ButtonDiscard, "&Discard", "破棄(&D)"},
    {Msg::ButtonCancel, "&Cancel", "キャンセル(&C)"},
    {Msg::ButtonRestore, "&Restore", "復元(&R)"},
    {Msg::ButtonStop, "Stop", "停止"},
    {Msg::ButtonClose, "Close", "閉じる"},
    {Msg::Untitled, "Untitled", "無題"},
    {Msg::AskQuitAfterRun, "Run Mode was stopped. Quit the workbench?", "Run Mode を止めました。ワークベンチを終了しますか？"},
    {Msg::AskSaveChanges, "Save the changes to {1} before they are lost?", "{1} の変更を保存しますか？保存しないと変更は失われます。"},
    {Msg::AskRestore, "The workbench ended without saving the changes to {1} (kept at {2}). Restore them?", "ワークベンチは {1} への変更を保存せずに終了しました（{2} のコピーがあります）。復元しますか？"},
    {Msg::NoRecoveryCopy, "No recovery copy: {1}", "復元用のコピーを保存できません: {1}"},
    {Msg::RunCount, "Executed instructions: {1}", "実行した命令の数: {1}"},
    {Msg::HeadingCase, "Case", "ケース"},
    {Msg::HeadingResult, "Result", "結果"},
    {Msg::HeadingWhy, "Why", "理由"},

    // ---- The page's own texts ----
    {Msg::PageMenus, "Menus", "メニュー"},
    {Msg::PageMenuFile, "File", "ファイル"},
    {Msg::PageMenuRun, "Run", "実行"},
    {Msg::PageMenuView, "View", "表示"},
    {Msg::PageNew, "New", "新規作成"},
    {Msg::PageOpen, "Open\u2026", "開く\u2026"},
    {Msg::PageSave, "Save", "保存"},
    {Msg::PageCheckCases, "Check against cases", "テストケースで確かめる"},
    {Msg::PageSwitchMode, "Switch mode", "モードの切り替え"},
    {Msg::PageBack, "Back", "1 ステップ戻る"},
    {Msg::PageRunToCursor, "Run to cursor", "カーソル行まで実行"},
    {Msg::PageReset, "Reset", "リセット"},
    {Msg::PageToggleBreakpoint, "Toggle breakpoint", "ブレークポイントの設定/解除"},
    {Msg::PageStop, "Stop", "停止"},
    {Msg::PageSpeed, "Speed", "速度"},
    {Msg::PageFullSpeed, "Full speed", "最高速"},
    {Msg::PageSpeedPerSecond, "{1} a second", "毎秒 {1} 命令"},
    {Msg::PageFullShort, "Full", "最高速"},
    {Msg::PageSpeedShort, "{1}/s", "{1}/秒"},
    {Msg::PageZoomIn, "Zoom in", "拡大"},
    {Msg::PageZoomOut, "Zoom out", "縮小"},
    {Msg::PageZoomReset, "Reset zoom", "元の大きさ"},
    {Msg::PageConsole, "Output console", "出力コンソール"},
    {Msg::PageLanguage, "Language", "言語"},
    {Msg::PageDebugging, "Debugging", "デバッグ"},
    {Msg::PageKeptChanges, "Kept changes", "保存されていた変更"},
    {Msg::PageRestoreOffer, "The changes to {1} from your last visit were kept in this browser. Restore them?",
     "前回の {1} への変更がこのブラウザーに残っています。復元しますか？"},
    {Msg::PageRestore, "Restore", "復元する"},
    {Msg::PageDiscard, "Discard", "破棄する"},
    {Msg::PageInstruction, "Instruction", "命令"},
    {Msg::PageObjectProgram, "Object program", "オブジェクトプログラム"},
    {Msg::PageMemoryDump, "Memory dump", "メモリダンプ"},
    {Msg::PageSourceProgram, "Source program", "ソースプログラム"},
    {Msg::PageBreakpointTip, "Breakpoint (click or F9 to clear)", "ブレークポイント（クリックか F9 で解除します）"},
    {Msg::PageProblems, "Problems", "問題"},
    {Msg::PageCloseProblems, "Close the problem list", "問題の一覧を閉じる"},
    {Msg::PageProblemCountTip, "Show or hide the problem list", "問題の一覧を表示/非表示"},
    {Msg::PageConsoleInput, "Input:", "入力:"},
    {Msg::PageConsoleInputHint, "The line the next IN reads", "次の IN が読み込む行"},
    {Msg::PageClear, "Clear", "消去"},
    {Msg::PageCloseReport, "Close the report", "レポートを閉じる"},
    {Msg::PageCancel, "Cancel", "キャンセル"},
    {Msg::PageExecutedCount, "Executed instructions: {1}", "実行した命令: {1}"},
    {Msg::PageCase, "Case", "ケース"},
    {Msg::PageResult, "Result", "結果"},
    {Msg::PageWhy, "Why", "理由"},
    {Msg::PageClose, "Close", "閉じる"},

    // ---- Instruction help ----
    {Msg::HelpOperation, "{1}: instruction, opcode #{2}, {3} words",
     "{1}: 機械命令（命令コード #{2}、{3} 語）"},
    {Msg::HelpOperationOneWord, "{1}: instruction, opcode #{2}, 1 word",
     "{1}: 機械命令（命令コード #{2}、1 語）"},
    {Msg::HelpDirective, "{1}: assembler directive",
     "{1}: アセンブラ命令"},
    {Msg::HelpRegister, "{1}: register",
     "{1}: レジスタ"},
    {Msg::HelpForm, "Form: {1}",
     "書き方: {1}"},
    {Msg::HelpExample, "Example: {1}",
     "例: {1}"},
    {Msg::HelpFrUnchanged, "FR is left unchanged.",
     "FR は変わりません。"},
    {Msg::HelpFrFromResult, "FR is set from the result in the register: 4000 when it is 0, 8000 when it is negative (bit 15 or above set), 0000 otherwise.",
     "FR はレジスタの結果で設定されます。0 なら 4000、負（ビット 15 以上が 1）なら 8000、それ以外は 0000 です。"},
    {Msg::HelpFrCompare, "FR is set by the comparison: 0000 when the register is greater, 4000 when both are equal, 8000 when the register is smaller.",
     "FR は比較の結果で設定されます。レジスタの方が大きければ 0000、等しければ 4000、小さければ 8000 です。"},
    {Msg::HelpFrTested, "FR decides whether it jumps, and is left unchanged.",
     "FR を見て分岐するかを決めます。FR は変わりません。"},
    {Msg::HelpLd, "Loads the word at the address into the register.",
     "アドレスの語をレジスタに読み込みます。"},
    {Msg::HelpSt, "Stores the register into the word at the address.",
     "レジスタの値をアドレスの語に書き込みます。"},
    {Msg::HelpLea, "Loads the address itself, with the index register added, into the register.",
     "アドレスそのもの（指標レジスタを加えた値）をレジスタに入れます。"},
    {Msg::HelpAdd, "Adds the word at the address to the register.",
     "アドレスの語をレジスタに加えます。"},
    {Msg::HelpSub, "Subtracts the word at the address from the register.",
     "レジスタからアドレスの語を引きます。"},
    {Msg::HelpAnd, "Puts the bitwise AND of the register and the word at the address into the register.",
     "レジスタとアドレスの語のビットごとの論理積をレジスタに入れます。"},
    {Msg::HelpOr, "Puts the bitwise OR of the register and the word at the address into the register.",
     "レジスタとアドレスの語のビットごとの論理和をレジスタに入れます。"},
    {Msg::HelpEor, "Puts the bitwise exclusive OR of the register and the word at the address into the register.",
     "レジスタとアドレスの語のビットごとの排他的論理和をレジスタに入れます。"},
    {Msg::HelpCpa, "Compares the register with the word at the address as signed numbers: a word #8000 to #FFFF counts as negative.",
     "レジスタとアドレスの語を符号付きの数として比べます。#8000～#FFFF の語は負の数です。"},
    {Msg::HelpCpl, "Compares the register with the word at the address as they are held: words are held as signed numbers, so it differs from CPA only when a value above 32767 takes part.",
     "レジスタとアドレスの語を、保持されている値のまま比べます。語は符号付きで保持されるため、32767 より大きい値が関わるときだけ CPA と結果が違います。"},
    {Msg::HelpSla, "Shifts the register left by the count in the word at the address, keeping its sign bit.",
     "アドレスの語の値の数だけレジスタを左にシフトします。符号ビットはそのままです（算術シフト）。"},
    {Msg::HelpSra, "Shifts the register right by the count in the word at the address, copying its sign into the bits that come free.",
     "アドレスの語の値の数だけレジスタを右にシフトします。空いたビットには符号が入ります（算術シフト）。"},
    {Msg::HelpSll, "Shifts the register left by the count in the word at the address, sign bit included.",
     "アドレスの語の値の数だけレジスタを符号ビットも含めて左にシフトします（論理シフト）。"},
    {Msg::HelpSrl, "Shifts the register right by the count in the word at the address; 0 comes in from the left.",
     "アドレスの語の値の数だけレジスタを右にシフトします。左からは 0 が入ります（論理シフト）。"},
    {Msg::HelpJpz, "Jumps to the address when the last result was zero or plus (FR is not 8000).",
     "直前の結果が 0 か正（FR が 8000 でない）なら、アドレスへ分岐します。"},
    {Msg::HelpJmi, "Jumps to the address when the last result was minus (FR is 8000).",
     "直前の結果が負（FR が 8000）なら、アドレスへ分岐します。"},
    {Msg::HelpJnz, "Jumps to the address when the last result was not zero (FR is not 4000).",
     "直前の結果が 0 でない（FR が 4000 でない）なら、アドレスへ分岐します。"},
    {Msg::HelpJze, "Jumps to the address when the last result was zero (FR is 4000).",
     "直前の結果が 0（FR が 4000）なら、アドレスへ分岐します。"},
    {Msg::HelpJmp, "Jumps to the address, always.",
     "常にアドレスへ分岐します。"},
    {Msg::HelpPush, "Pushes the address itself, with the index register added, onto the stack; GR4 goes down by 1.",
     "アドレスそのもの（指標レジスタを加えた値）をスタックに積みます。GR4 は 1 減ります。"},
    {Msg::HelpPop, "Takes the word on top of the stack into the register; GR4 goes up by 1.",
     "スタックの一番上の語をレジスタに取り出します。GR4 は 1 増えます。"},
    {Msg::HelpCall, "Calls the subroutine at the address: pushes the address of the next instruction, then jumps.",
     "アドレスのサブルーチンを呼び出します。次の命令の番地をスタックに積んでから分岐します。"},
    {Msg::HelpRet, "Returns from a subroutine: takes the return address from the top of the stack and jumps there.",
     "サブルーチンから戻ります。スタックの一番上から戻り番地を取り出し、そこへ分岐します。"},
    {Msg::HelpIn, "Reads a typed line into the buffer, as many characters as the length word holds, two to a word; the length word stays as it is.",
     "入力された 1 行を、長さの語が示す文字数だけバッファに読み込みます（1 語に 2 文字）。長さの語は変わりません。"},
    {Msg::HelpOut, "Shows as many characters of the buffer as the length word holds, two to a word.",
     "バッファの文字を、長さの語が示す数だけ表示します（1 語に 2 文字）。"},
    {Msg::HelpExit, "Ends the run; the PC goes back to 0000.",
     "実行を終了します。PC は 0000 に戻ります。"},
    {Msg::HelpStart, "Marks the program's beginning. With an operand it generates a jump to that address; without one it generates nothing.",
     "プログラムの始まりを示します。オペランドを書くとその番地への分岐を生成し、書かなければ何も生成しません。"},
    {Msg::HelpEnd, "Marks the program's end. It generates nothing, and lines after it are still assembled.",
     "プログラムの終わりを示します。何も生成せず、後の行もアセンブルされます。"},
    {Msg::HelpDs, "Reserves the given number of words, each set to 0.",
     "指定した語数の領域を確保し、それぞれ 0 にします。"},
    {Msg::HelpDc, "Defines a constant: a decimal number, #hhhh in hexadecimal, characters in quotes (two to a word) or a label's address.",
     "定数を定義します。10 進数、16 進数 #hhhh、引用符で囲んだ文字（1 語に 2 文字）、またはラベルの番地です。"},
    {Msg::HelpGr0, "General register 0; it cannot serve as an index register.",
     "汎用レジスタ 0 です。指標レジスタには使えません。"},
    {Msg::HelpGr, "General register; it can also serve as an index register.",
     "汎用レジスタです。指標レジスタにも使えます。"},
    {Msg::HelpGr4, "General and index register, and the stack pointer.",
     "汎用レジスタ・指標レジスタで、スタックポインタでもあります。"},

    // ---- What a run shows after a press, and grading's reports ----
    {Msg::StatusExplained, "{1}. {2}", "{1}。{2}"},
    {Msg::ExecStartsAt, "Exec starts at {1}, where the last run left the PC; Reset starts again at 0000",
     "Exec は前回の実行で PC が止まった {1} から始まります。Reset すると 0000 から始まります"},
    {Msg::LoopLine, "Line {1} repeats without end: the machine came back to a state it had been in, so the run can never end. Give the loop a way out: a conditional jump on a value the loop changes.",
     "{1} 行目が終わりなく繰り返されます。機械が以前と同じ状態に戻ったので、実行は決して終わりません。ループを抜ける道を作ってください（ループの中で変わる値による条件付きジャンプなど）。"},
    {Msg::LoopLines, "Lines {1} to {2} repeat without end: the machine came back to a state it had been in, so the run can never end. Give the loop a way out: a conditional jump on a value the loop changes.",
     "{1}～{2} 行目が終わりなく繰り返されます。機械が以前と同じ状態に戻ったので、実行は決して終わりません。ループを抜ける道を作ってください（ループの中で変わる値による条件付きジャンプなど）。"},
    {Msg::KindRun, "run", "実行時"},
    {Msg::CountOneRunProblem, "1 run-time problem", "実行時の問題 1 件"},
    {Msg::CountRunProblems, "{1} run-time problems", "実行時の問題 {1} 件"},

    // ---- Messages of the command line ----
}};

constexpr bool inOrder() {
    for (size_t i = 0; i < kCatalogue.size(); ++i)
        if (static_cast<size_t>(kCatalogue[i].id) != i) return false;
    return true;
}
static_assert(inOrder(), "the catalogue lists every message once, in the order of Msg");

Language gLanguage = languageOfEnvironment();
bool gLanguageFixed = false;

std::string_view patternOf(Msg id) {
    const Entry& e = kCatalogue[static_cast<size_t>(id)];
    return gLanguage == Language::Japanese ? e.japanese : e.english;
}

// The pattern with "{1}".."{9}" replaced by the arguments; one with no argument stays as written.
std::string expand(std::string_view pattern, std::span<const std::string_view> args) {
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder = pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 1] >= '1' &&
                                 pattern[i + 1] <= '9' && pattern[i + 2] == '}';
        const auto k = placeholder ? static_cast<size_t>(pattern[i + 1] - '1') : 0;
        if (!placeholder || k >= args.size()) {
            text += pattern[i];
            continue;
        }
        text += args[k];
        i += 2;
    }
    return text;
}

}  // namespace

Language currentLanguage() { return gLanguage; }
void setLanguage(Language language) { gLanguage = language; }

void fixLanguage(Language language) {
    gLanguage = language;
    gLanguageFixed = true;
}

bool languageFixed() { return gLanguageFixed; }

std::string_view languageCode(Language language) { return language == Language::Japanese ? "ja" : "en"; }

std::optional<Language> languageNamed(std::string_view name) {
    if (name == "en") return Language::English;
    if (name == "ja") return Language::Japanese;
    return std::nullopt;
}

Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value == nullptr || *value == '\0') continue;
        return std::string_view(value).starts_with("ja") ? Language::Japanese : Language::English;
    }
    return Language::English;
}

Language languageOfEnvironment() {
    return languageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::string message(Msg id, std::initializer_list<std::string_view> args) {
    return expand(patternOf(id), std::span<const std::string_view>(args.begin(), args.size()));
}

Text messageText(Msg id, std::initializer_list<std::string_view> args) { return fromUtf8(message(id, args)); }

std::string noteText(const Note& note) {
    const std::vector<std::string_view> args(note.args.begin(), note.args.end());
    return expand(patternOf(note.id), args);
}

}  // namespace comet
