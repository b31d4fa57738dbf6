// The one catalogue of the texts this workbench adds to the design's own: each in
// English and Japanese, chosen by the current language. The design's own texts (its
// message boxes, captions, listing) are the same in both languages and are not here.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "machine/charset.hpp"

namespace comet {

enum class Language : uint8_t { English, Japanese };

Language currentLanguage();
void setLanguage(Language language);
// The language the command line chose (--lang): no remembered choice replaces it.
void fixLanguage(Language language);
bool languageFixed();
// "en" or "ja"; nothing for any other name.
std::optional<Language> languageNamed(std::string_view name);
std::string_view languageCode(Language language);  // "en" or "ja"
// The language the system's locale asks for: the first of LC_ALL, LC_MESSAGES and LANG
// that is set; Japanese when it begins with "ja", English otherwise.
Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);
Language languageOfEnvironment();  // the same, read from this process's environment

enum class Msg : uint16_t {
    // ---- The problem list ----
    KindError,
    KindUndefinedName,
    KindWarning,
    CountOneError,
    CountOneUndefinedName,
    CountOneWarning,
    CountErrors,          // {1} count
    CountUndefinedNames,
    CountWarnings,
    NoProblems,
    AddressInHex,         // Address {1} in hexadecimal
    TabWarning,
    // ---- What an assembler message means ----
    SyntaxAddress,        // {1} address, {2} line
    HeadNumber,           // {1} the number
    HeadString,
    HeadRegister,         // {1} register
    NotInstruction,       // {1} name
    ReadAsLabel,          // {1} label, {2} what followed it
    RegisterNotOperation, // {1} register
    DidYouMean,           // {1} names
    OpenString,
    BadNumber,            // {1} the number as written
    DsNegative,           // {1} count
    DsOperand,
    Undefined,            // {1} name
    UndefinedNoneNear,
    DuplicateFirst,       // {1} name, {2} line, {3} address
    NameTableOver,        // {1} limit, {2} names
    MemoryOver,           // {1} words before, {2} limit
    CannotGenerate,
    OperandForms,         // {1} mnemonic, {2} forms
    // ---- What the assembler passes in silence ----
    WarnReservedOperand,  // {1} word, {2} what it is
    WarnIsInstruction,
    WarnIsRegister,
    WarnNotRegister,      // {1} operand
    WarnReservedLabel,    // {1} word, {2} next word
    RenameLabel,          // {1} word
    WarnEmptyOperand,
    FixEmptyOperand,
    WarnIndexGR0,
    FixIndexGR0,
    WarnFallIntoData,     // {1} mnemonic, {2} line, {3} directive
    FixFallIntoData,
    WarnNoExit,
    FixNoExit,
    ReadsAsZero,
    WarnAddressOutside,   // {1} address
    FixAddressOutside,
    // ---- What went wrong in a run ----
    RunPastProgram,       // {1} PC, {2} line, {3} word
    RunBeyondProgram,     // {1} PC, {2} word
    RunAddressPlain,      // {1} mnemonic, {2} address
    RunAddressIndexed,    // {1} mnemonic, {2} address, {3} address word, {4} index register, {5} its value
    RunPushError,         // {1} GR4
    RunBadField,          // {1} word, {2} PC
    // ---- What a word reads as ----
    ReadHex,
    ReadUnsigned,
    ReadSigned,
    ReadBinary,
    ReadChars,
    FlagsPlus,            // {1} FR in hexadecimal
    FlagsZero,
    FlagsMinus,
    FlagsOther,
    ReadSourceLine,       // {1} line, {2} its text
    ReadInstruction,      // {1} decoded instruction
    // ---- The command line ----
    UnknownLanguage,      // {1} name
    // ---- The status bar ----
    StatusRunning,
    StepsOne,
    StepsMany,            // {1} count
    EndedByExit,          // {1} steps
    StoppedByYou,         // {1} address, {2} steps
    EndedAddressError,    // {1} address, {2} steps
    CancelledInOutput,    // {1} steps
    StoppedBeforeBreak,   // {1} address, {2} steps
    StoppedInLoop,        // {1} address, {2} steps
    ExecutedOne,          // {1} address executed, {2} next address
    AtLineAddress,        // {1} line, {2} address
    AtAddress,            // {1} address
    AtBreakpoint,         // {1} place
    ReachedPlace,         // {1} place
    LoopRepeats,          // {1} first step, {2} last step, {3} low address, {4} high address
    SteppedBack,          // {1} undo reach
    NothingToStepBack,    // {1} undo reach
    StepOne,
    StepMany,             // {1} count
    UndoReach,            // {1} steps
    UndoDropped,          // {1} undo reach
    ResetLoaded,
    LineNoWords,          // {1} line
    LineChanged,          // {1} line
    BreakAfterAsm,        // {1} line
    NoSuchLine,           // {1} line, {2} lines
    CleanMachine,         // {1} program
    BackReaches,          // {1} steps
    // ---- The window's menus ----
    MenuFile,
    MenuRun,
    MenuView,

    // ---- The window's items, tool bar, docks and boxes ----
    ItemNew,
    ItemOpen,
    ItemRecentFiles,
    ItemSave,
    ItemSaveAs,
    ItemQuit,
    ItemAsm,
    ItemExec,
    ItemBack,
    ItemRunToCursor,
    ItemSwitchMode,
    ItemToggleBreakpoint,
    ItemReset,
    ItemSpeed,
    ItemFullSpeed,
    ItemOneASecond,
    ItemManyASecond,      // {1} count
    ItemCheckAgainstCases,
    ItemStopRun,
    ItemZoomIn,
    ItemZoomOut,
    ItemResetZoom,
    ItemConsole,
    ItemLanguage,
    ItemReplaceTabs,
    TipAsm,
    TipExec,
    TipSwitchMode,
    TipBack,
    TipRunToCursor,
    TipReset,
    TipProblemCount,
    TipUndoLimit,
    TitleDebugBar,
    TitleProblems,
    TitleConsole,
    ConsoleOutput,
    ConsoleInput,
    ConsoleInputHint,
    ConsoleClear,
    NameSource,
    NameListing,
    NameDump,
    NameChooser,
    DialogOpen,
    DialogSaveAs,
    DialogCheckAgainstCases,
    FilterSources,
    FilterCases,
    ButtonDiscard,
    ButtonCancel,
    ButtonRestore,
    ButtonStop,
    ButtonClose,
    Untitled,             // the name of a program never saved
    AskQuitAfterRun,
    AskSaveChanges,       // {1} file
    AskRestore,           // {1} file, {2} when kept
    NoRecoveryCopy,       // {1} why
    RunCount,             // {1} count
    HeadingCase,
    HeadingResult,
    HeadingWhy,

    // ---- The page's own texts ----
    PageMenus,
    PageSpeedPerSecond,    // {1} instructions
    PageFullShort,
    PageSpeedShort,        // {1} instructions
    PageKeptChanges,
    PageRestoreOffer,      // {1} document name
    PageBreakpointTip,
    PageCloseProblems,
    PageCloseReport,

    // ---- Instruction help ----
    HelpOperation,        // {1} mnemonic, {2} opcode, {3} words
    HelpOperationOneWord, // {1} mnemonic, {2} opcode
    HelpDirective,        // {1} directive
    HelpRegister,         // {1} register
    HelpForm,             // {1} the form, as written in CASL
    HelpExample,          // {1} a line of CASL
    HelpFrUnchanged,
    HelpFrFromResult,
    HelpFrCompare,
    HelpFrTested,
    HelpLd,
    HelpSt,
    HelpLea,
    HelpAdd,
    HelpSub,
    HelpAnd,
    HelpOr,
    HelpEor,
    HelpCpa,
    HelpCpl,
    HelpSla,
    HelpSra,
    HelpSll,
    HelpSrl,
    HelpJpz,
    HelpJmi,
    HelpJnz,
    HelpJze,
    HelpJmp,
    HelpPush,
    HelpPop,
    HelpCall,
    HelpRet,
    HelpIn,
    HelpOut,
    HelpExit,
    HelpStart,
    HelpEnd,
    HelpDs,
    HelpDc,
    HelpGr0,
    HelpGr,
    HelpGr4,

    // ---- What a run shows after a press, and grading's reports ----
    StatusExplained,      // {1} the account of the press, {2} what went wrong
    ExecStartsAt,         // {1} the PC box's address
    LoopLine,             // {1} line
    LoopLines,            // {1} first line, {2} last line
    KindRun,
    CountOneRunProblem,
    CountRunProblems,     // {1} count

    // ---- Messages of the command line ----
    CliHelpFile,
    CliHelpScreenshot,
    CliHelpScript,
    CliHelpRun,
    CliHelpMaxSteps,      // {1} the default
    CliHelpTrace,
    CliHelpGrade,
    CliHelpReports,
    CliHelpFeedback,
    CliHelpJobs,          // {1} the most
    CliHelpEditors,
    CliHelpLang,
    CliHelpHelp,
    CliWithoutWindow,
    CliNoDisplay,
    CliCannotOpenWindow,  // {1} the display's settings
    CliWindowArguments,
    CliCannotCreate,      // {1} folder
    CliPictureNotMade,
    CliSaved,             // {1} file
    CliExpectedNumber,    // {1} option, {2} its value, {3} the most
    CliExpectedFileName,  // {1} option
    CliExpectedValue,     // {1} option
    CliTraceGoesWithRun,
    CliGivenTwice,        // {1} option
    CliSeparateCommands,  // {1}, {2} modes
    CliUnknownOption,     // {1} option
    CliNeedsValue,        // {1} option
    CliNeedsFile,         // {1} mode
    CliTakesOneFile,      // {1} mode, {2} count
    CliTakesNoArguments,  // {1} mode
    CliNothingRun,        // {1} why
    CliTraceLost,         // {1} why
    CliInputEnded,
    CliInputLineTooLong,  // {1} limit
    CliRunStepLimitOne,
    CliRunStepLimit,      // {1} steps
    CliCannotWriteOutput, // {1} why
    CliOutputClosed,
    CliScriptLine,        // {1} line, {2} what
    CliScriptLineTooLong, // {1} limit
    CliScriptSourceTooLarge, // {1} limit
    CliScriptNoEnd,
    CliScriptAnswersLimit, // {1} limit
    CliScriptInputBytesLimit, // {1} limit
    CliScriptSelectionCut, // {1} start, {2} length
    CliScriptStepLimit,   // {1} steps
    CliScriptUnknownCommand, // {1} name
    CliScriptUnknownDisplay, // {1} name
    CliScriptUnexpected,  // {1} the words
    CliScriptExpectedText,
    CliScriptExpectedBox,
    CliScriptExpectedSelection,
    CliScriptExpectedItem,
    CliScriptExpectedTwo, // {1}, {2} words
    CliScriptExpectedThree, // {1}, {2}, {3} words
    CliScriptExpectedRow,
    CliScriptExpectedSteps,
    CliScriptExpectedLine,
    CliScriptExpectedListingLine,
    CliScriptExpectedFile,
    CliCannotRead,        // {1} file, {2} why
    CliCannotWrite,       // {1} file, {2} why
    CliCannotSave,        // {1} file, {2} why
    CliIsFolder,
    CliIsPipe,
    CliIsSocket,
    CliIsDevice,
    CliTooLarge,          // {1} limit
    CliNulBytes,
    CliNotText,
    CliNoCode,            // {1} character, {2} its code, {3} line, {4} encoding
    CliBytes,             // {1} count
    CliNoSuchFile,
    CliPermissionDenied,
    CliNoSpace,
    CliFileTooLarge,
    CliReadOnly,
    CliNotFolder,
    CliOutputReplacesInput, // {1} role of the output, {2} its file, {3} role of the input, {4} its file
    CliOutputsShareFile,  // {1} role of an output, {2} its file, {3} role of the other, {4} its file
    CliRoleProgram,
    CliRoleCaseFile,
    CliRoleReference,
    CliRoleSubmission,
    CliNoSubmissions,
    CliSameFileName,      // {1}, {2} files
    CliCannotMakeFolder,  // {1} folder, {2} why
    CliNothingGraded,     // {1} why
    CliGradedOnce,        // {1}, {2} files
    CliCaseUnknownKey,    // {1} key, {2} where, {3} the keys it takes
    CliInACase,
    CliCaseMustBeString,  // {1} key
    CliCaseMustBeLines,   // {1} key
    CliCaseEveryLineOf,   // {1} key
    CliCaseMaxSteps,
    CliCasePoints,
    CliCaseTimeout,
    CliCaseMustBeFlag,    // {1} key
    CliCaseMatch,
    CliCaseNotRegex,      // {1} line, {2} why
    CliCaseWordRange,     // {1} place
    CliCaseMustBeTable,   // {1} key
    CliCaseNoRegister,    // {1} name
    CliCasePlaceForm,     // {1} place
    CliCasePlaceLabel,    // {1} place
    CliCaseMustBeWords,   // {1} place
    CliCaseEveryWordOf,   // {1} place
    CliCaseNeedsName,
    CliCaseNone,
    CliCaseUnderCase,
    CliCaseSecondNamed,   // {1} name
    CliSummaryPassedBy,   // {1} passed, {2} all, {3} percent
    CliSummaryAllPassed,  // {1} passed, {2} all
    CliEveryCase,         // {1} why
    CliFeedbackScore,     // {1} points, {2} the most
    CliFeedbackPassed,
    CliFeedbackFailed,    // {1} outcome
    CliFeedbackHidden,    // {1} cases, {2} passed
    CliOutcomeUnreadable,
    CliOutcomeAssemblerError,
    CliOutcomeStepLimit,
    CliOutcomeTimeout,
    CliOutcomeEndlessLoop,
    CliOutcomeAddressError,
    CliOutcomeEngineError,
    CliOutcomeWrongOutput,
    CliOutcomeWrongState,
    CliOutcomeNotRun,
    CliHiddenCase,        // {1} case
    CliAtStep,            // {1} what, {2} step
    CliOutputLineIs,      // {1} line, {2} text
    CliExpectedNoMore,    // {1} what
    CliExpectedLine,      // {1} what, {2} expected
    CliOutputLineMissing, // {1} line, {2} expected
    CliLineMatching,      // {1} pattern
    CliOneMoreLine,
    CliMoreLines,         // {1} count
    CliNotRun,
    CliWordAtExit,        // {1} place, {2} value, {3} expected
    CliNoLabel,           // {1} label
    CliOutsideMemory,     // {1} place
    CliTimeLimit,         // {1} seconds
    CliStepLimit,         // {1} steps
    CliReferenceNoAsm,    // {1} where, {2} the first error
    CliReferenceFails,    // {1} where, {2} case, {3} why
    CliDepartsAt,         // {1} where
    CliSameSteps,
    CliStepIs,            // {1} step, {2} what
    CliRunsOther,         // {1} what ran, {2} what the reference ran
    CliLeaves,            // {1} what ran, {2} register, {3} value, {4} the reference's
    CliWrites,            // {1} what ran, {2} writes, {3} the reference's
    CliReferenceEnded,    // {1} what ran
    CliRunEnded,          // {1} what the reference ran
    CliRanAt,             // {1} what ran, {2} address
    CliWordRan,           // {1} the word
    CliWroteAt,           // {1} value, {2} address
    CliNothingWritten,

    Count_
};

// The text of `id` in the current language, "{1}".."{9}" replaced by the arguments (UTF-8).
std::string message(Msg id, std::initializer_list<std::string_view> args = {});
// The same as the workbench's text (UTF-16), for the boxes and bars that show it.
Text messageText(Msg id, std::initializer_list<std::string_view> args = {});

// A message kept as a value, so that it can be shown again in another language.
struct Note {
    Msg id{};
    std::vector<std::string> args;
    bool operator==(const Note&) const = default;
};
std::string noteText(const Note& note);

}  // namespace comet
