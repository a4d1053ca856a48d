#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <utility>

#include "tests/ui/message_watcher.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/screen_placement.h"

using gosei::ui::HelpWindow;
using gosei::ui::MainWindow;

class HelpWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<UnexpectedModals> m_unexpectedModals;

    QPushButton* helpButton() {
        return m_main->findChild<QPushButton*>(QStringLiteral("Command5"));
    }
    HelpWindow* openHelp() {
        QTest::mouseClick(helpButton(), Qt::LeftButton);
        HelpWindow* help = m_main->helpWindow();
        if (help && !QTest::qWaitForWindowExposed(help)) return nullptr;
        return help;
    }

  private slots:
    void init() {
        m_unexpectedModals = std::make_unique<UnexpectedModals>();
        m_main = std::make_unique<MainWindow>();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }
    void cleanup() {
        m_main.reset();
        const QString unexpected = std::exchange(m_unexpectedModals, nullptr)->unexpected();
        QVERIFY2(unexpected.isEmpty(), qPrintable(QStringLiteral("unexpected ") + unexpected));
    }

    void lines_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        const QString i1(QChar(0x3000));
        const QString i2 = i1 + i1;
        const auto row = [](int number, const QString& text, int length) {
            QTest::addRow("line %d", number) << number - 1 << text << length;
        };
        row(1, QStringLiteral("このソフトウェアは、合成抵抗を算出するためのものです。"), 27);
        row(2,
            QStringLiteral(
                "フィルターや、アッテネーターのように、端数のある部品を必要とした場合に"),
            35);
        row(3, QStringLiteral("このソフトウェアが役に立ちます。"), 16);
        row(4, i1, 1);
        row(5, QStringLiteral("通常、部品はＥ６，Ｅ１２，Ｅ２４の何れかの系列で在庫されます。"),
            31);
        row(6, QStringLiteral("１から１０の間を６つに分割するとＥ６、２４に分割するとＥ２４です。"),
            33);
        row(7, QStringLiteral("確実に用意されているのはＥ６、普通の販売店の店頭はＥ２４です。"),
            31);
        row(8, QString(), 0);
        row(9, QStringLiteral("このソフトでは、端数のある数値を入力すると、２つの部品による"), 30);
        row(10, QStringLiteral("直並列の合成値をそれぞれ３つづつ返します。") + i1, 22);
        row(11, i1, 1);
        row(12, QStringLiteral("選択条件は２つあります。"), 12);
        row(13, i1, 1);
        row(14, QStringLiteral("誤差範囲を入力しなかった場合、もしくはゼロを指定した場合、"), 29);
        row(15,
            QStringLiteral(
                "指定された部品系列の中で、誤差の少ない組み合わせをその順番で表示します。"),
            36);
        row(16, QStringLiteral("通常はこちらを利用して下さい。"), 15);
        row(17, i1, 1);
        row(18, QStringLiteral("誤差範囲を入力した場合は、その範囲内の誤差の組み合わせが"), 28);
        row(19,
            QStringLiteral(
                "あるばあいは、誤差の範囲内でその組み合わせを扱いやすい順序で表示します。"),
            36);
        row(20, QStringLiteral("組み合わせが少ない場合は、誤差範囲を増やして検索します。"), 28);
        row(21, i1, 1);
        row(22,
            QStringLiteral("部品はＥ６系列で在庫しているが、各部品の精度は良いという場合は誤差"),
            33);
        row(23, QStringLiteral("無指定としてください。"), 11);
        row(24, QStringLiteral("逆に、精度の悪い部品を使わざる終えない場合は、その部品の公称"), 30);
        row(25, QStringLiteral("誤差の半分を、入力してください。"), 16);
        row(26, i1, 1);
        row(27,
            QStringLiteral(
                "なお、直列合成で、部品に０（ゼロ）が指定されたり、不要と表示されたときは、"),
            37);
        row(28, QStringLiteral("合成をする必要が無いときです。"), 15);
        row(29, i2, 2);
        row(30,
            QStringLiteral("コンデンサの合成を算出するときには、以下の注意を参照してください。"),
            33);
        row(31, i1, 1);
        row(32, QStringLiteral("１，直列、並列は逆に読んで下さい。"), 17);
        row(33, i2 + QStringLiteral("計算結果の直列には並列合成の数値が、並列には直列合成の"), 29);
        row(34, i2 + QStringLiteral("数値が表示されます。"), 12);
        row(35, QStringLiteral("２，Ｅ３系列は、コンデンサでのみ実用性があります。"), 25);
        row(36,
            i2 + QStringLiteral(
                     "しかし、Ｅ３系列（１，２．２，４．７）で在庫される部品（電解コンなど）"),
            37);
        row(37, i2 + QStringLiteral("は、誤差が非常に大きいことに御注意下さい。"), 23);
        row(38, QStringLiteral("３，あまり小さな数字は表示が出来ないことがあります。"), 26);
        row(39,
            i2 + QStringLiteral("たとえば、０．０００１ｕＦは１００ｐＦとして入力してください。"),
            33);
        row(40, QString(), 0);
        row(41,
            QStringLiteral("                                             ＱＺ９ＸＶＹ     ほぬら"),
            59);
        row(42, QStringLiteral("    "), 4);
        row(43, QString(), 0);
        row(44,
            QStringLiteral("文字化けがある場合はvbrun60sp6."
                           "exeをマイクロソフトのHPよりダウンロードしてください"),
            49);
        row(45, QStringLiteral("文字化けを放置しても実害はありません。"), 19);
        row(46,
            QStringLiteral(
                "本ソフトはv1."
                "13です。E24でのバグの修正と全体的に画面を見やすくする修正を行いました。"),
            46);
    }

    void lines() {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, length);
        HelpWindow* help = openHelp();
        QVERIFY(help);
        QCOMPARE(help->list()->count(), 46);
        const QString shown = help->list()->item(index)->text();
        QCOMPARE(shown, text);
        QCOMPARE(shown.size(), length);
    }

    void windowAndControls() {
        HelpWindow* help = openHelp();
        QVERIFY(help);
        QCOMPARE(help->windowTitle(), QStringLiteral("合成抵抗算出ソフトのヘルプ"));
        QCOMPARE(help->size(), QSize(672, 531));
        QVERIFY(help->parentWidget() == nullptr);
        QVERIFY(help->isWindow());
        QCOMPARE(help->list()->objectName(), QStringLiteral("List1"));
        QCOMPARE(help->list()->geometry(), QRect(32, 16, 585, 436));
        QCOMPARE(help->backButton()->objectName(), QStringLiteral("Command1"));
        QCOMPARE(help->backButton()->text(), QStringLiteral("戻る"));
        QCOMPARE(help->backButton()->geometry(), QRect(456, 488, 73, 41));
        QVERIFY(!help->backButton()->isDefault());
        QVERIFY(!help->backButton()->autoDefault());
        QCOMPARE(QFontInfo(help->list()->font()).pixelSize(), 12);
        QCOMPARE(QFontInfo(help->backButton()->font()).pixelSize(), 12);
        QCOMPARE(help->list()->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!help->list()->isSortingEnabled());
        QVERIFY(help->list()->verticalScrollBar()->isVisible());
    }

    void everyLineFitsWithoutWrapping() {
        HelpWindow* help = openHelp();
        QVERIFY(help);
        QListWidget* list = help->list();
        const QFontMetrics metrics(list->font());
        for (int i = 0; i < list->count(); ++i) {
            QVERIFY2(
                metrics.horizontalAdvance(list->item(i)->text()) + 8 <= list->viewport()->width(),
                qPrintable(QStringLiteral("line %1").arg(i + 1)));
        }
        QVERIFY(!list->horizontalScrollBar()->isVisible());
    }

    void focusStartsOnBackAndTabsToTheList() {
        HelpWindow* help = openHelp();
        QVERIFY(help);
        help->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QCOMPARE(QApplication::focusWidget(), help->backButton());
        QTest::keyClick(help->backButton(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), help->list());
        QTest::keyClick(help->list(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), help->backButton());
    }

    // The focus frame on 戻る shows from the start: drawn as it is, the
    // button differs from the same button drawn without keyboard focus.
    void focusOnBackIsVisibleAtOnce() {
        HelpWindow* help = openHelp();
        QVERIFY(help);
        QVERIFY(help->backButton()->hasFocus());
        const QImage focused = help->backButton()->grab().toImage();
        help->setAttribute(Qt::WA_KeyboardFocusChange, false);
        const QImage unfocused = help->backButton()->grab().toImage();
        QVERIFY(focused != unfocused);
    }

    // On a screen too small for it the window keeps within the room and its
    // page scrolls: Tab brings 戻る into view.
    void smallScreenKeepsBackWithinReach() {
        HelpWindow* help = openHelp();
        QVERIFY(help);
        const QSize room(400, 300);
        help->fitWithin(room);
        QCOMPARE(help->size(), room);
        help->list()->setFocus();
        QTest::keyClick(help->list(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), help->backButton());
        const QRect shown = help->backButton()->visibleRegion().boundingRect();
        QCOMPARE(shown.size(), help->backButton()->size());
    }

    void placement_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("framed");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("fits: centred")
            << QRect(0, 0, 1280, 1024) << QSize(680, 560) << QPoint(300, 232);
        QTest::newRow("below a panel")
            << QRect(0, 30, 1280, 994) << QSize(680, 560) << QPoint(300, 247);
        QTest::newRow("too tall: top inside")
            << QRect(0, 30, 1280, 994) << QSize(680, 1100) << QPoint(300, 30);
        QTest::newRow("too wide: left inside")
            << QRect(50, 0, 1230, 1024) << QSize(1400, 560) << QPoint(50, 232);
    }

    void placement() {
        QFETCH(QRect, available);
        QFETCH(QSize, framed);
        QFETCH(QPoint, topLeft);
        QCOMPARE(gosei::ui::centredInside(available, framed), topLeft);
    }

    void repeatedHelpKeepsOneWindow() {
        HelpWindow* first = openHelp();
        QVERIFY(first);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(openHelp(), first);
        QCOMPARE(first->list()->count(), 46);
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget* w) { return qobject_cast<HelpWindow*>(w) != nullptr; }),
                 1);
    }

    void backThenHelpKeepsScrollAndSelection() {
        HelpWindow* help = openHelp();
        QVERIFY(help);
        help->list()->setCurrentRow(30);
        help->list()->scrollToBottom();
        const int scrolled = help->list()->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        QTest::mouseClick(help->backButton(), Qt::LeftButton);
        QVERIFY(!help->isVisible());
        QVERIFY(m_main->isVisible());
        QCOMPARE(openHelp(), help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->list()->count(), 46);
        QCOMPARE(help->list()->currentRow(), 30);
        QCOMPARE(help->list()->selectedItems().size(), 1);
        QCOMPARE(help->list()->verticalScrollBar()->value(), scrolled);
    }

    void closeThenHelpGivesAFreshWindow() {
        QPointer<HelpWindow> first = openHelp();
        QVERIFY(first);
        first->list()->setCurrentRow(40);
        first->list()->scrollToBottom();
        first->close();
        QTRY_VERIFY(first.isNull());  // destroyed with its list
        QVERIFY(m_main->helpWindow() == nullptr);
        HelpWindow* fresh = openHelp();
        QVERIFY(fresh);
        QCOMPARE(fresh->list()->count(), 46);
        QCOMPARE(fresh->list()->verticalScrollBar()->value(), 0);
        QVERIFY(fresh->list()->selectedItems().isEmpty());
        QVERIFY(m_main->isVisible());
    }

    void calculationRunsWhileHelpIsShown() {
        HelpWindow* help = openHelp();
        QVERIFY(help);
        help->list()->setCurrentRow(5);
        m_main->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("47"));
        QTest::mouseClick(m_main->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        QCOMPARE(m_main->findChild<QLabel*>(QStringLiteral("Label14"))->text(),
                 QStringLiteral("47"));
        QVERIFY(help->isVisible());
        QCOMPARE(help->list()->count(), 46);
        QCOMPARE(help->list()->currentRow(), 5);
    }

    // Closing the main window ends the event loop with the help window
    // absent, shown or hidden.
    void closingTheMainWindowEndsTheProgram_data() {
        QTest::addColumn<int>("helpState");  // 0 absent, 1 shown, 2 hidden
        QTest::newRow("help absent") << 0;
        QTest::newRow("help shown") << 1;
        QTest::newRow("help hidden") << 2;
    }

    void closingTheMainWindowEndsTheProgram() {
        QFETCH(int, helpState);
        if (helpState >= 1) QVERIFY(openHelp());
        if (helpState == 2) QTest::mouseClick(m_main->helpWindow()->backButton(), Qt::LeftButton);
        gosei::ui::quitWhenClosed(*m_main);
        bool timedOut = false;
        QTimer::singleShot(0, m_main.get(), [this] { m_main->close(); });
        QTimer::singleShot(5000, qApp, [&timedOut] {
            timedOut = true;
            QCoreApplication::quit();
        });
        QCoreApplication::exec();
        QVERIFY(!timedOut);
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget* w) { return w->isVisible(); }),
                 0);
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
