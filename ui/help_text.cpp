#include "ui/help_text.h"

namespace gosei::ui {

QStringList helpLines() {
    const QString ideographicSpace(QChar(0x3000));
    return {
        QStringLiteral("このソフトウェアは、合成抵抗を算出するためのものです。"),
        QStringLiteral("フィルターや、アッテネーターのように、端数のある部品を必要とした場合に"),
        QStringLiteral("このソフトウェアが役に立ちます。"),
        ideographicSpace,
        QStringLiteral("通常、部品はＥ６，Ｅ１２，Ｅ２４の何れかの系列で在庫されます。"),
        QStringLiteral("１から１０の間を６つに分割するとＥ６、２４に分割するとＥ２４です。"),
        QStringLiteral("確実に用意されているのはＥ６、普通の販売店の店頭はＥ２４です。"),
        QString(),
        QStringLiteral("このソフトでは、端数のある数値を入力すると、２つの部品による"),
        QStringLiteral("直並列の合成値をそれぞれ３つづつ返します。") + ideographicSpace,
        ideographicSpace,
        QStringLiteral("選択条件は２つあります。"),
        ideographicSpace,
        QStringLiteral("誤差範囲を入力しなかった場合、もしくはゼロを指定した場合、"),
        QStringLiteral("指定された部品系列の中で、誤差の少ない組み合わせをその順番で表示します。"),
        QStringLiteral("通常はこちらを利用して下さい。"),
        ideographicSpace,
        QStringLiteral("誤差範囲を入力した場合は、その範囲内の誤差の組み合わせが"),
        QStringLiteral("あるばあいは、誤差の範囲内でその組み合わせを扱いやすい順序で表示します。"),
        QStringLiteral("組み合わせが少ない場合は、誤差範囲を増やして検索します。"),
        ideographicSpace,
        QStringLiteral("部品はＥ６系列で在庫しているが、各部品の精度は良いという場合は誤差"),
        QStringLiteral("無指定としてください。"),
        QStringLiteral("逆に、精度の悪い部品を使わざる終えない場合は、その部品の公称"),
        QStringLiteral("誤差の半分を、入力してください。"),
        ideographicSpace,
        QStringLiteral(
            "なお、直列合成で、部品に０（ゼロ）が指定されたり、不要と表示されたときは、"),
        QStringLiteral("合成をする必要が無いときです。"),
        ideographicSpace + ideographicSpace,
        QStringLiteral("コンデンサの合成を算出するときには、以下の注意を参照してください。"),
        ideographicSpace,
        QStringLiteral("１，直列、並列は逆に読んで下さい。"),
        ideographicSpace + ideographicSpace +
            QStringLiteral("計算結果の直列には並列合成の数値が、並列には直列合成の"),
        ideographicSpace + ideographicSpace + QStringLiteral("数値が表示されます。"),
        QStringLiteral("２，Ｅ３系列は、コンデンサでのみ実用性があります。"),
        ideographicSpace + ideographicSpace +
            QStringLiteral(
                "しかし、Ｅ３系列（１，２．２，４．７）で在庫される部品（電解コンなど）"),
        ideographicSpace + ideographicSpace +
            QStringLiteral("は、誤差が非常に大きいことに御注意下さい。"),
        QStringLiteral("３，あまり小さな数字は表示が出来ないことがあります。"),
        ideographicSpace + ideographicSpace +
            QStringLiteral("たとえば、０．０００１ｕＦは１００ｐＦとして入力してください。"),
        QString(),
        QString(45, u' ') + QStringLiteral("ＱＺ９ＸＶＹ") + QString(5, u' ') +
            QStringLiteral("ほぬら"),
        QString(4, u' '),
        QString(),
        QStringLiteral(
            "文字化けがある場合はvbrun60sp6.exeをマイクロソフトのHPよりダウンロードしてください"),
        QStringLiteral("文字化けを放置しても実害はありません。"),
        QStringLiteral(
            "本ソフトはv1.13です。E24でのバグの修正と全体的に画面を見やすくする修正を行いました。"),
    };
}

}  // namespace gosei::ui
