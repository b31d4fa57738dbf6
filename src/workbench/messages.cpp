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
    {Msg::PageReplaceTabs, "Replace tabs by blanks", "タブを空白に置き換える"},
    {Msg::PageConsoleInput, "Input:", "入力:"},
    {Msg::PageConsoleInputHint, "The line the next IN reads", "次の IN が読み込む行"},
    {Msg::PageClear, "Clear", "消去"},
    {Msg::PageCloseReport, "Close the report", "レポートを閉じる"},
    {Msg::PageCancel, "Cancel", "キャンセル"},
    {Msg::PageSaveQuestion, "Save the changes to {1} before they are lost?", "{1} への変更は保存されていません。保存しますか？"},
    {Msg::PageSaveKey, "&Save", "保存(&S)"},
    {Msg::PageDiscardKey, "&Discard", "破棄(&D)"},
    {Msg::PageCancelKey, "&Cancel", "キャンセル(&C)"},
    {Msg::PageExecutedCount, "Executed instructions: {1}", "実行した命令: {1}"},
    {Msg::PageCase, "Case", "ケース"},
    {Msg::PageResult, "Result", "結果"},
    {Msg::PageWhy, "Why", "理由"},
    {Msg::PageClose, "Close", "閉じる"},

    // ---- Instruction help ----

    // ---- What a run shows after a press, and grading's reports ----

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
