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

    // ---- The page's own texts ----

    // ---- Instruction help ----

    // ---- What a run shows after a press, and grading's reports ----

    // ---- Messages of the command line ----
    {Msg::CliHelpFile, "open FILE in the workbench window", "FILE をワークベンチのウィンドウで開きます"},
    {Msg::CliHelpScreenshot, "save pictures of the window in the folder DIR", "ウィンドウの画像をフォルダー DIR に保存します"},
    {Msg::CliHelpScript, "run a session script (FILE \"-\": standard input)", "セッションのスクリプトを実行します（FILE が \"-\" なら標準入力）"},
    {Msg::CliHelpRun, "assemble and run one program, its output on standard output", "プログラムを 1 つアセンブルして実行し、出力を標準出力に書きます"},
    {Msg::CliHelpMaxSteps, "stop a run after N steps (default {1})", "N ステップで実行を止めます（指定しなければ {1}）"},
    {Msg::CliHelpTrace, "write every step of the run to OUT (.csv, or .json)", "実行の全ステップを OUT に書きます（.csv または .json）"},
    {Msg::CliHelpGrade, "grade programs (files, or folders of .casl files) against the cases of an exercise", "課題のケースでプログラム（ファイル、または .casl ファイルのフォルダー）を採点します"},
    {Msg::CliHelpReports, "write the results as JUnit XML, as CSV", "結果を JUnit XML、CSV で書きます"},
    {Msg::CliHelpFeedback, "write each student's feedback into FOLDER", "学生ごとのフィードバックを FOLDER に書きます"},
    {Msg::CliHelpJobs, "grade N programs at once (1 to {1})", "N 個のプログラムを同時に採点します（1～{1}）"},
    {Msg::CliHelpEditors, "the language server, the debug adapter, on standard input and output", "言語サーバー、デバッグアダプターとして標準入出力で動きます"},
    {Msg::CliHelpLang, "the language of the workbench's texts (by default the locale's: LC_ALL, LC_MESSAGES, LANG)", "ワークベンチが表示する文の言語を選びます（指定しなければロケール LC_ALL、LC_MESSAGES、LANG に従います）"},
    {Msg::CliHelpHelp, "this text, on standard output", "この説明を標準出力に書きます"},
    {Msg::CliWithoutWindow, "built without the window; use --script or --run", "ウィンドウなしでビルドされています。--script か --run を使ってください"},
    {Msg::CliNoDisplay, "no display to open the window on: set DISPLAY, or run it under xvfb-run", "ウィンドウを開くディスプレイがありません。DISPLAY を設定するか、xvfb-run の下で実行してください"},
    {Msg::CliCannotOpenWindow, "cannot open the window ({1}): the display could not be opened; run the program under xvfb-run, or use --script or --run", "ウィンドウを開けません（{1}）: ディスプレイを開けませんでした。xvfb-run の下で実行するか、--script か --run を使ってください"},
    {Msg::CliWindowArguments, "unknown arguments (the window takes a FILE, or --screenshot DIR)", "引数が違います（ウィンドウが受け取るのは FILE か --screenshot DIR です）"},
    {Msg::CliCannotCreate, "cannot create {1}", "{1} を作れません"},
    {Msg::CliPictureNotMade, "the picture could not be made", "画像を作れませんでした"},
    {Msg::CliSaved, "saved {1}", "{1} を保存しました"},
    {Msg::CliExpectedNumber, "{1} {2}: expected a whole number from 1 to {3}", "{1} {2}: 1 から {3} までの整数を指定してください"},
    {Msg::CliExpectedFileName, "{1} \"\": expected a file name, not an empty text", "{1} \"\": 空の文字列ではなくファイル名を指定してください"},
    {Msg::CliExpectedValue, "{1} \"\": expected a value, not an empty text", "{1} \"\": 空の文字列ではなく値を指定してください"},
    {Msg::CliTraceGoesWithRun, "--trace goes with --run", "--trace は --run と一緒に使います"},
    {Msg::CliGivenTwice, "{1} is given twice", "{1} が 2 回指定されています"},
    {Msg::CliSeparateCommands, "{1} and {2} go in separate commands", "{1} と {2} は別々のコマンドで使います"},
    {Msg::CliUnknownOption, "unknown option {1}", "{1} というオプションはありません"},
    {Msg::CliNeedsValue, "{1} needs a value", "{1} には値が必要です"},
    {Msg::CliNeedsFile, "{1} needs a FILE", "{1} には FILE が必要です"},
    {Msg::CliTakesOneFile, "{1} takes one FILE, {2} given", "{1} に指定できる FILE は 1 つですが、{2} 個あります"},
    {Msg::CliTakesNoArguments, "{1} takes no arguments", "{1} は引数を取りません"},
    {Msg::CliNothingRun, "{1}; nothing was run", "{1}。何も実行していません"},
    {Msg::CliTraceLost, "{1}; the run stopped there and the file is as it was", "{1}。実行はそこで止まり、ファイルは元のままです"},
    {Msg::CliInputEnded, "standard input had ended, and every IN after its end reads the same empty line", "標準入力はすでに終わっていて、その後の IN はどれも同じ空の行を読みます"},
    {Msg::CliInputLineTooLong, "standard input: a line longer than {1}, the limit of a line IN reads; the run stops here", "標準入力: IN が読める 1 行の上限 {1} より長い行です。実行はここで止まります"},
    {Msg::CliRunStepLimitOne, "the run stopped after 1 step without EXIT, the step limit (--max-steps N)", "EXIT に達しないまま、ステップ数の上限（--max-steps N）の 1 ステップで実行を止めました"},
    {Msg::CliRunStepLimit, "the run stopped after {1} steps without EXIT, the step limit (--max-steps N)", "EXIT に達しないまま、ステップ数の上限（--max-steps N）の {1} ステップで実行を止めました"},
    {Msg::CliCannotWriteOutput, "cannot write to standard output: {1}", "標準出力に書き込めません: {1}"},
    {Msg::CliOutputClosed, "it is closed", "閉じられています"},
    {Msg::CliScriptLine, "script line {1}: {2}", "スクリプトの {1} 行目: {2}"},
    {Msg::CliScriptLineTooLong, "longer than {1}, the limit of a script line; give a long source as lines between \"source\" and \".end\"", "スクリプトの 1 行の上限 {1} より長い行です。長いソースは \"source\" と \".end\" の間の行に書いてください"},
    {Msg::CliScriptSourceTooLarge, "this source is larger than {1}, the limit for a source", "このソースはソースの上限 {1} より大きいです"},
    {Msg::CliScriptNoEnd, "no line \".end\" closes this source", "このソースを閉じる \".end\" の行がありません"},
    {Msg::CliScriptAnswersLimit, "more than {1} answers wait for boxes; give each answer just before the line that shows its box", "ボックスを待つ答えが {1} 個を超えました。答えはそのボックスを出す行の直前に書いてください"},
    {Msg::CliScriptInputBytesLimit, "the reply-input answers waiting for boxes pass {1}; give each answer just before the line that shows its box", "ボックスを待つ reply-input の答えが {1} を超えました。答えはそのボックスを出す行の直前に書いてください"},
    {Msg::CliScriptSelectionCut, "selection cut to the text: start {1} length {2}", "選択範囲をテキストに合わせて切り詰めました: 開始 {1}、長さ {2}"},
    {Msg::CliScriptStepLimit, "Run Mode stopped after {1} steps, the step limit (--max-steps N)", "Run Mode はステップ数の上限（--max-steps N）の {1} ステップで止まりました"},
    {Msg::CliScriptUnknownCommand, "unknown command {1}", "{1} というコマンドはありません"},
    {Msg::CliScriptUnknownDisplay, "unknown display {1}", "{1} という表示はありません"},
    {Msg::CliScriptUnexpected, "unexpected {1}", "余計な {1} があります"},
    {Msg::CliScriptExpectedText, "expected a text in double quotes, with valid escapes", "二重引用符で囲み、正しいエスケープを使った文字列を書いてください"},
    {Msg::CliScriptExpectedBox, "expected a box number 0..6", "ボックスの番号 0..6 を書いてください"},
    {Msg::CliScriptExpectedSelection, "expected a start and a length", "開始位置と長さを書いてください"},
    {Msg::CliScriptExpectedItem, "expected an item number 0..34", "項目の番号 0..34 を書いてください"},
    {Msg::CliScriptExpectedTwo, "expected {1} or {2}", "{1} か {2} を書いてください"},
    {Msg::CliScriptExpectedThree, "expected {1}, {2} or {3}", "{1}、{2}、{3} のどれかを書いてください"},
    {Msg::CliScriptExpectedRow, "expected a row number, 0 or more", "0 以上の行番号を書いてください"},
    {Msg::CliScriptExpectedSteps, "expected a number of steps, 1 or more", "1 以上のステップ数を書いてください"},
    {Msg::CliScriptExpectedLine, "expected a line number, 1 or more", "1 以上の行番号を書いてください"},
    {Msg::CliScriptExpectedListingLine, "expected a listing line number, 0 or more", "0 以上のリストの行番号を書いてください"},
    {Msg::CliScriptExpectedFile, "expected a file name", "ファイル名を書いてください"},
    {Msg::CliCannotRead, "cannot read {1}: {2}", "{1} を読めません: {2}"},
    {Msg::CliCannotWrite, "cannot write {1}: {2}", "{1} に書き込めません: {2}"},
    {Msg::CliCannotSave, "cannot save {1}: {2}", "{1} を保存できません: {2}"},
    {Msg::CliIsFolder, "it is a folder, not a file", "フォルダーで、ファイルではありません"},
    {Msg::CliIsPipe, "it is a pipe, not a file", "パイプで、ファイルではありません"},
    {Msg::CliIsSocket, "it is a socket, not a file", "ソケットで、ファイルではありません"},
    {Msg::CliIsDevice, "it is a device, not a file", "デバイスで、ファイルではありません"},
    {Msg::CliTooLarge, "it is larger than {1}, the limit for a source or script file; check that it is the file you meant", "ソースやスクリプトのファイルの上限 {1} より大きいファイルです。目的のファイルかどうか確かめてください"},
    {Msg::CliNulBytes, "it is not text (it has NUL bytes)", "テキストではありません（NUL バイトがあります）"},
    {Msg::CliNotText, "it is not text in UTF-8, UTF-16 or Shift_JIS (CP932)", "UTF-8、UTF-16、Shift_JIS（CP932）のどのテキストでもありません"},
    {Msg::CliNoCode, "the character \"{1}\" ({2}) on line {3} has no code in {4}; save it as UTF-8", "{3} 行目の文字「{1}」（{2}）は {4} では表せません。UTF-8 で保存してください"},
    {Msg::CliBytes, "{1} bytes", "{1} バイト"},
    {Msg::CliNoSuchFile, "No such file or directory", "そのようなファイルやフォルダーはありません"},
    {Msg::CliPermissionDenied, "Permission denied", "アクセスが許可されていません"},
    {Msg::CliNoSpace, "No space left on device", "デバイスに空きがありません"},
    {Msg::CliFileTooLarge, "File too large", "ファイルが大きすぎます"},
    {Msg::CliReadOnly, "Read-only file system", "読み取り専用のファイルシステムです"},
    {Msg::CliNotFolder, "Not a directory", "パスの途中にフォルダーでないものがあります"},
    {Msg::CliOutputReplacesInput, "{1} {2} is {3} {4}: an output never replaces what is read", "{1} {2} は {3} {4} と同じファイルです。出力で読むファイルを置き換えることはしません"},
    {Msg::CliOutputsShareFile, "{1} {2} is {3} {4}: two outputs cannot share a file", "{1} {2} は {3} {4} と同じファイルです。2 つの出力で 1 つのファイルを共有することはできません"},
    {Msg::CliRoleProgram, "the program", "プログラム"},
    {Msg::CliRoleCaseFile, "the case file", "ケースファイル"},
    {Msg::CliRoleReference, "the reference", "模範解答"},
    {Msg::CliRoleSubmission, "the submission", "提出されたプログラム"},
    {Msg::CliNoSubmissions, "no submissions to grade (a folder's files must end in .casl)", "採点するプログラムがありません（フォルダーの中のファイルは名前が .casl で終わるものだけです）"},
    {Msg::CliSameFileName, "{1} and {2} have one file name: their feedback files would be the same", "{1} と {2} はファイル名が同じです。フィードバックのファイルが同じになってしまいます"},
    {Msg::CliCannotMakeFolder, "cannot make the folder {1}: {2}", "フォルダー {1} を作れません: {2}"},
    {Msg::CliNothingGraded, "{1}; nothing was graded", "{1}。何も採点していません"},
    {Msg::CliGradedOnce, "{1} is the same file as {2}: graded once", "{1} は {2} と同じファイルです。採点は 1 回だけです"},
    {Msg::CliCaseUnknownKey, "unknown key \"{1}\" in {2} (known: {3})", "{2}に \"{1}\" というキーはありません（使えるキー: {3}）"},
    {Msg::CliInACase, "a case", "ケース"},
    {Msg::CliCaseMustBeString, "{1} must be a string", "{1} は文字列にしてください"},
    {Msg::CliCaseMustBeLines, "{1} must be an array of strings, one per line", "{1} は 1 行に 1 つずつの文字列の配列にしてください"},
    {Msg::CliCaseEveryLineOf, "every line of {1}", "{1} の各行"},
    {Msg::CliCaseMaxSteps, "max-steps must be a whole number of 1 or more", "max-steps は 1 以上の整数にしてください"},
    {Msg::CliCasePoints, "points must be a whole number from 0 to 1000", "points は 0 から 1000 までの整数にしてください"},
    {Msg::CliCaseTimeout, "timeout must be a number of seconds above 0, at most 86400", "timeout は 0 より大きく 86400 以下の秒数にしてください"},
    {Msg::CliCaseMustBeFlag, "{1} must be true or false", "{1} は true か false にしてください"},
    {Msg::CliCaseMatch, "match must be \"exact\", \"trim\", \"ignore-case\" or \"regex\"", "match は \"exact\"、\"trim\"、\"ignore-case\"、\"regex\" のどれかにしてください"},
    {Msg::CliCaseNotRegex, "output line {1} is not a regular expression: {2}", "output の {1} 行目は正規表現になっていません: {2}"},
    {Msg::CliCaseWordRange, "{1} must be a whole number from -32768 to 65535 (0xFFFF)", "{1} は -32768 から 65535（0xFFFF）までの整数にしてください"},
    {Msg::CliCaseMustBeTable, "{1} must be a table", "{1} はテーブルにしてください"},
    {Msg::CliCaseNoRegister, "no register is named \"{1}\" (GR0..GR4, FR)", "\"{1}\" というレジスタはありません（GR0..GR4、FR）"},
    {Msg::CliCasePlaceForm, "\"{1}\": write LABEL or LABEL+N, N from 0 to 65535", "\"{1}\": LABEL か LABEL+N（N は 0 から 65535）と書いてください"},
    {Msg::CliCasePlaceLabel, "\"{1}\": a memory place starts with a label", "\"{1}\": メモリの場所はラベルで始めてください"},
    {Msg::CliCaseMustBeWords, "{1} must be a word or a non-empty array of words", "{1} は 1 語か、空でない語の配列にしてください"},
    {Msg::CliCaseEveryWordOf, "every word of {1}", "{1} の各語"},
    {Msg::CliCaseNeedsName, "a case needs a name", "ケースには name が必要です"},
    {Msg::CliCaseNone, "no test cases: write each under [[case]]", "テストケースがありません。それぞれ [[case]] の下に書いてください"},
    {Msg::CliCaseUnderCase, "write each case under [[case]]", "ケースはそれぞれ [[case]] の下に書いてください"},
    {Msg::CliCaseSecondNamed, "a second case named \"{1}\"", "\"{1}\" という名前のケースが 2 つあります"},
    {Msg::CliSummaryPassedBy, "{1} of {2} ({3}%)", "{2} 件中 {1} 件（{3}%）"},
    {Msg::CliSummaryAllPassed, "{1} of {2} submissions passed every case", "{2} 件のプログラムのうち {1} 件がすべてのケースに合格しました"},
    {Msg::CliEveryCase, "every case: {1}", "すべてのケース: {1}"},
    {Msg::CliFeedbackScore, "Score: {1} of {2} points", "得点: {2} 点中 {1} 点"},
    {Msg::CliFeedbackPassed, "passed", "合格"},
    {Msg::CliFeedbackFailed, "failed ({1})", "不合格（{1}）"},
    {Msg::CliFeedbackHidden, "Hidden cases: {1}, {2} passed", "非公開のケース: {1} 件、うち {2} 件に合格"},
    {Msg::CliOutcomeUnreadable, "unreadable", "ファイルを読めない"},
    {Msg::CliOutcomeAssemblerError, "assembler-error", "アセンブルのエラー"},
    {Msg::CliOutcomeStepLimit, "step-limit", "ステップ数の上限"},
    {Msg::CliOutcomeTimeout, "timeout", "時間切れ"},
    {Msg::CliOutcomeEndlessLoop, "endless-loop", "無限ループ"},
    {Msg::CliOutcomeAddressError, "address-error", "アドレスのエラー"},
    {Msg::CliOutcomeEngineError, "engine-error", "実行時のエラー"},
    {Msg::CliOutcomeWrongOutput, "wrong-output", "出力の誤り"},
    {Msg::CliOutcomeWrongState, "wrong-state", "EXIT 時の値の誤り"},
    {Msg::CliOutcomeNotRun, "not-run", "未実行"},
    {Msg::CliHiddenCase, "{1} (hidden)", "{1} (非公開)"},
    {Msg::CliAtStep, "{1} at step {2}", "{1}（{2} ステップ目）"},
    {Msg::CliOutputLineIs, "output line {1} is {2}", "出力の {1} 行目は {2} です"},
    {Msg::CliExpectedNoMore, "{1}, expected no more output", "{1}。出力はもうないはずです"},
    {Msg::CliExpectedLine, "{1}, expected {2}", "{1}。正しくは {2} です"},
    {Msg::CliOutputLineMissing, "output line {1} is missing, expected {2}", "出力の {1} 行目がありません。正しくは {2} です"},
    {Msg::CliLineMatching, "a line matching {1}", "{1} に合う行"},
    {Msg::CliOneMoreLine, " (and 1 more line differs)", "（ほかに 1 行違います）"},
    {Msg::CliMoreLines, " (and {1} more lines differ)", "（ほかに {1} 行違います）"},
    {Msg::CliNotRun, "not run: grading was stopped", "実行していません: 採点が止められました"},
    {Msg::CliWordAtExit, "{1} is {2} at EXIT, expected {3}", "EXIT の時点で {1} は {2} です。正しくは {3} です"},
    {Msg::CliNoLabel, "no label {1} in the program", "プログラムに {1} というラベルがありません"},
    {Msg::CliOutsideMemory, "{1} is outside memory", "{1} はメモリの外です"},
    {Msg::CliTimeLimit, "time limit reached: {1} s without EXIT", "時間の上限に達しました: EXIT に達しないまま {1} 秒"},
    {Msg::CliStepLimit, "step limit reached: {1} steps without EXIT", "ステップ数の上限に達しました: EXIT に達しないまま {1} ステップ"},
    {Msg::CliReferenceNoAsm, "{1}: the reference does not assemble: {2}", "{1}: 模範解答がアセンブルできません: {2}"},
    {Msg::CliReferenceFails, "{1}: the reference fails its own case \"{2}\": {3}", "{1}: 模範解答が自分のケース \"{2}\" に合格しません: {3}"},
    {Msg::CliDepartsAt, "first departs from the reference at {1}", "模範解答との最初の違い: {1}"},
    {Msg::CliSameSteps, "takes the same steps as the reference", "模範解答と同じステップをたどります"},
    {Msg::CliStepIs, "step {1}: {2}", "{1} ステップ目: {2}"},
    {Msg::CliRunsOther, "runs {1}, the reference {2}", "{1} を実行しています（模範解答は {2}）"},
    {Msg::CliLeaves, "{1} leaves {2} = {3}, the reference {4}", "{1} の後で {2} = {3} です（模範解答は {4}）"},
    {Msg::CliWrites, "{1} writes {2}, the reference {3}", "{1} の書き込み: {2}（模範解答は {3}）"},
    {Msg::CliReferenceEnded, "runs {1}, the reference has ended", "{1} を実行しています（模範解答はもう終わっています）"},
    {Msg::CliRunEnded, "the run has ended, the reference runs {1}", "実行はもう終わっています（模範解答は {1} を実行します）"},
    {Msg::CliRanAt, "{1} at {2}", "{2} の {1}"},
    {Msg::CliWordRan, "word {1}", "語 {1}"},
    {Msg::CliWroteAt, "{1} at {2}", "{2} に {1}"},
    {Msg::CliNothingWritten, "nothing", "なし"},
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
