#include "session/reports.hpp"

#include "workbench/lists.hpp"

namespace comet {

// Shown exactly as written: the tab stops of the viewer's text box line up the table,
// and the ideographic spaces indent the Japanese lines by full-width columns.
const Text kHelpText =
    u"\r\n"
    u"■操作方法\r\n"
    u"\r\n"
    u"\u3000次の手順で操作します。\r\n"
    u"\r\n"
    u"\u3000\u3000\u3000(1) [Souce Program]テキストボックスにCASL文法によるプログラムを入力します。\r\n"
    u"\u3000\u3000\u3000(2) 右上にある[ASM]ボタンをクリックすると，アセンブラが起動され，\r\n"
    u"\u3000\u3000\u3000\u3000\u3000オブジェクトプログラムが生成されます。\r\n"
    u"\u3000\u3000\u3000(3) 右上にある[Exec]ボタンをクリックするとエミュレータが起動されます。\r\n"
    u"\r\n"
    u"\u3000実行モードには，\r\n"
    u"\r\n"
    u"\u3000    (1) Debug Mode（[Exec]ボタンをクリックするたびに，1命令ずつ実行)\r\n"
    u"\u3000    (2) Run Mode（停止するまで実行)\r\n"
    u"\r\n"
    u"\u3000があります。\r\n"
    u"\r\n"
    u"\u3000このモードを切り替えるには，\r\n"
    u"\u3000右側の「Debug Mode」または「Run Mode」と表示されているところを\r\n"
    u"\u3000クリックすると，切り替えることができます。\r\n"
    u"\r\n"
    u"\u3000どのように実行されるかを観察するには，Debug Modeを使うと良いでしょう。\r\n"
    u"\r\n"
    u"\u3000右下には，レジスタの内容が表示されています。\r\n"
    u"\u3000Debug Modeのとき，これらの値を変更して，実行確認ができます。\r\n"
    u"\r\n"
    u"\u3000なお，これからCASL文法を学ぼうとする人は，\r\n"
    u"\u3000起動時に初期設定されているサンプルプログラムを使って，\r\n"
    u"\u3000アセンブラ，エミュレータを実行してみましょう。\r\n"
    u"\r\n"
    u"\r\n"
    u"■ニーモニックコード一覧\r\n"
    u"\r\n"
    u" \u3000コード  \t種類\t機械語\t意味\r\n"
    u" ----------------------------------------------------------------\r\n"
    u"\u3000\u3000 LD    \tCM0\t&H10\tLoad\r\n"
    u"\u3000\u3000 ST    \tCM0\t&H11\tStore\r\n"
    u"\u3000\u3000 LEA   \tCM0\t&H12\tLoad Effective Address\r\n"
    u"\u3000\u3000 ADD   \tCM0\t&H21\tAdd\r\n"
    u"\u3000\u3000 SUB   \tCM0\t&H22\tsub\r\n"
    u"\u3000\u3000 AND   \tCM0\t&H23\tAnd\r\n"
    u"\u3000\u3000 OR    \tCM0\t&H24\tOr\r\n"
    u"\u3000\u3000 EOR   \tCM0\t&H25\tExclusive Or\r\n"
    u"\u3000\u3000 CPA   \tCM0\t&H26\tArithmetical Compare\r\n"
    u"\u3000\u3000 CPL   \tCM0\t&H27\tLogical Compare\r\n"
    u"\u3000\u3000 SLA   \tCM0\t&H28\tArithmetical Shift Left\r\n"
    u"\u3000\u3000 SRA   \tCM0\t&H29\tArithmetical Shift Right\r\n"
    u"\u3000\u3000 SLL   \tCM0\t&H2A\tLogical Shift Left\r\n"
    u"\u3000\u3000 SRL   \tCM0\t&H2B\tLogical Shift Right\r\n"
    u"\u3000\u3000 JPZ   \tCM1\t&H02\tJump Plus and Zero\r\n"
    u"\u3000\u3000 JMI   \tCM1\t&H03\tJump Minus\r\n"
    u"\u3000\u3000 JNZ   \tCM1\t&H04\tJump Not Zero\r\n"
    u"\u3000\u3000 JZE   \tCM1\t&H05\tJump Zero\r\n"
    u"\u3000\u3000 JMP   \tCM1\t&H01\tJump\r\n"
    u"\u3000\u3000 PUSH  \tCM1\t&H08\tPush\r\n"
    u"\u3000\u3000 POP   \tCM2\t&H09\tPop\r\n"
    u"\u3000\u3000 CALL  \tCM1\t&H06\tCall\r\n"
    u"\u3000\u3000 RET   \tCM3\t&H07\tReturn\r\n"
    u"\u3000\u3000 IN    \tMC0\t&H0A\tInput I/O Port\r\n"
    u"\u3000\u3000 OUT   \tMC0\t&H0B\tOutput I/O Port\r\n"
    u"\u3000\u3000 EXIT  \tMC1\t&H00\tExit\r\n"
    u"\r\n"
    u" (以下，レジスタコード)\r\n"
    u"\r\n"
    u"\u3000\u3000 GR0   \tREG\t&H0 \tGeneral Resister 0\r\n"
    u"\u3000\u3000 GR1   \tREG\t&H1 \tGeneral Resister 1\r\n"
    u"\u3000\u3000 GR2   \tREG\t&H2 \tGeneral Resister 2\r\n"
    u"\u3000\u3000 GR3   \tREG\t&H3 \tGeneral Resister 3\r\n"
    u"\u3000\u3000 GR4   \tREG\t&H4 \tGeneral Resister 4(Stack Pointer)\r\n"
    u"\r\n"
    u" (以下，アセンブラニーモニック)\r\n"
    u"\r\n"
    u"\u3000\u3000 START \tPS0\t    \tAssembler Program Start\r\n"
    u"\u3000\u3000 END   \tPS1\t    \tAssembler Program End\r\n"
    u"\u3000\u3000 DS    \tPS2\t    \tDefine Storage\r\n"
    u"\u3000\u3000 DC    \tPS3\t    \tDefine Constant\r\n"
    u"\r\n"
    u"\r\n"
    u"\r\n"
    u"■記述方法\r\n"
    u"\r\n"
    u"    CM0:  命令  レジスタ名，アドレス表現\r\n"
    u"    CM1:  命令  アドレス表現\r\n"
    u"    CM2:  命令  レジスタ名\r\n"
    u"    CM3:  命令\r\n"
    u"    MC0:  命令  アドレス表現,アドレス表現\r\n"
    u"    MC1:  命令\r\n"
    u"    PS0:  命令\r\n"
    u"    PS1:  命令\u3000ラベル\u3000（ラベルは省略可能)\r\n"
    u"    PS2:  命令\u3000定数表現\r\n"
    u"    PS3:  命令\u3000整数値\r\n"
    u"\r\n"
    u"    [MC0の場合のObject生成方法]\r\n"
    u"     一般の命令は,1コード1命令ですが，MC0の場合，\r\n"
    u"     以下のように複数のコードが生成されます。\r\n"
    u"\r\n"
    u"    \u3000 [例] 命令  Addr1,Addr2\r\n"
    u"\r\n"
    u"       機械語命令  Addr1\r\n"
    u"       JMP  *Next\r\n"
    u"       DC   Addr2\r\n"
    u" *Next Equ  *\r\n";

namespace {

constexpr int kViewerMarginHeight = 600;  // the viewer's caption bar, borders and the box's offset
constexpr int kViewerMarginWidth = 250;
constexpr int kViewerMinBox = 500;        // smaller boxes are not applied

// The common steps of a report: the viewer exists, gets its caption and text, and is shown.
void showReport(Workbench& wb, const Text& caption, const Text& text, bool opensAtEnd = false) {
    wb.frmText.exists = true;
    wb.frmText.caption = caption;
    wb.frmText.text = text;
    wb.frmText.opensAtEnd = opensAtEnd;
    wb.display().showViewer();
}

Text objectProgramText(Workbench& wb) {
    Text text = u"Addr:  Value\r\n------------------";
    auto& list = wb.list1;
    for (size_t i = 0; i < list.lines.size(); ++i) {
        list.selected = static_cast<int>(i);
        text += u"\r\n";
        text += list.lines[i];
    }
    return text;
}

}  // namespace

void Command3_Click(Workbench& wb) { showReport(wb, u"操作説明", kHelpText); }

void Command4_Click(Workbench& wb) {
    showReport(wb, u"オブジェクト", objectProgramText(wb));
    selectPcLine(wb, PcLineMiss::KeepLast);
}

// The history is read from its newest step: its beginning may be cut in mid-line.
void Command5_Click(Workbench& wb) { showReport(wb, u"実行履歴", wb.run.history.text(), true); }

void Form_Resize(Workbench& wb, int outerWidth, int outerHeight) {
    const int h = outerHeight - kViewerMarginHeight;
    const int w = outerWidth - kViewerMarginWidth;
    if (h < kViewerMinBox || w < kViewerMinBox) return;
    wb.frmText.boxHeight = h;
    wb.frmText.boxWidth = w;
}

void viewerClosed(Workbench& wb) { wb.frmText = Viewer{}; }

}  // namespace comet
