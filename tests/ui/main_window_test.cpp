#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QtMath>
#include <memory>
#include <utility>

#include "cli/cli_commands.h"
#include "tests/ui/message_watcher.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/pictures.h"
#include "ui/result_cell.h"

using gosei::Block;
using gosei::Cell;
using gosei::ui::MainWindow;

Q_DECLARE_METATYPE(Qt::Alignment)

namespace {

enum class FontKind { Default, P, G };

QStringList gridTexts(MainWindow& window) {
    QStringList cells;
    for (Block block : {Block::Parallel, Block::Series}) {
        for (int row = 1; row <= 3; ++row) {
            for (Cell cell : gosei::kCellsInRowOrder) {
                cells << QString::fromStdString(window.readCellText(block, row, cell));
            }
        }
    }
    return cells;
}

// The horizontal extent of a text's ink, in pixels of the device.
struct InkSpan {
    int left = -1, right = -1;
    bool found() const { return left >= 0; }
};

InkSpan inkColumns(const QImage& image, const QColor& background) {
    InkSpan span;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qAbs(qGray(image.pixel(x, y)) - qGray(background.rgb())) < 60) continue;
            if (!span.found()) span.left = x;
            span.right = x;
            break;
        }
    }
    return span;
}

// The text drawn on its own, far from any edge: where its ink lies relative
// to its origin, in logical pixels.
std::pair<qreal, qreal> unconstrainedInk(const QFont& font, const QString& text, qreal ratio) {
    constexpr int kPad = 20;
    QImage image(QSize(QFontMetrics(font).horizontalAdvance(text) + 2 * kPad, 40) * ratio,
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(kPad, QFontMetrics(font).ascent()), text);
    painter.end();
    const InkSpan span = inkColumns(image, Qt::white);
    return {span.left / ratio - kPad, (span.right + 1) / ratio - kPad};
}

bool isProportionalFace(const QString& family) {
    return family == QStringLiteral("ＭＳ Ｐゴシック") || family == QStringLiteral("IPAPGothic");
}
bool isFixedPitchFace(const QString& family) {
    return family == QStringLiteral("ＭＳ ゴシック") || family == QStringLiteral("IPAGothic");
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<UnexpectedModals> m_unexpectedModals;

    template <typename T>
    T* control(const char* name) {
        T* found = m_window->findChild<T*>(QString::fromUtf8(name));
        if (!found) qFatal("no control %s", name);
        return found;
    }
    void type(const char* box, const QString& text) { control<QLineEdit>(box)->setText(text); }
    // Both messages look alike: modal over the main window, the
    // application's title, one OK button and no icon anywhere.
    void verifyPlainMessage(const MessageWatcher::Seen& seen, const QString& text) {
        QCOMPARE(seen.text, text);
        QCOMPARE(seen.title, QStringLiteral("合成抵抗算出ソフト"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttonCount, 1);
        QVERIFY(!seen.okHasIcon);
        QVERIFY(seen.modal);
        QCOMPARE(seen.parent, m_window.get());
        // Wide enough for the title in a bold title face, with the title
        // bar's buttons beside it.
        QFont titleFont = QApplication::font();
        titleFont.setBold(true);
        QVERIFY2(seen.width >= 2 * QFontMetrics(titleFont).horizontalAdvance(seen.title),
                 qPrintable(QString::number(seen.width)));
    }
    void press(const char* button) {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }

  private slots:
    void init() {
        m_unexpectedModals = std::make_unique<UnexpectedModals>();
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() {
        m_window.reset();
        const QString unexpected = std::exchange(m_unexpectedModals, nullptr)->unexpected();
        QVERIFY2(unexpected.isEmpty(), qPrintable(QStringLiteral("unexpected ") + unexpected));
    }

    void windowIsFixedAndWhite() {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("合成抵抗算出ソフト"));
        QCOMPARE(m_window->size(), QSize(584, 456));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(m_window->palette().color(QPalette::Window), QColor(255, 255, 255));
        QCOMPARE(QFontInfo(m_window->font()).pixelSize(), 12);
        const QList<QSize> iconSizes = m_window->windowIcon().availableSizes();
        for (int size : {16, 24, 32, 48, 64})
            QVERIFY(iconSizes.contains(QSize(size, size)));
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("font");  // FontKind
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<QColor>("background");  // invalid: none of its own
        QTest::addColumn<Qt::Alignment>("alignment");

        const auto row = [](const char* name, QRect geometry, const char* text, FontKind font,
                            int pixelSize, QColor background = {},
                            Qt::Alignment alignment = Qt::AlignLeft) {
            QTest::newRow(name) << QString::fromUtf8(name) << geometry << QString::fromUtf8(text)
                                << int(font) << pixelSize << background << alignment;
        };
        const QColor white(255, 255, 255);
        row("Label35", {480, 32, 41, 25}, "V 1.13", FontKind::Default, 12);
        row("Command5", {392, 40, 49, 33}, "ＨＥＬＰ", FontKind::Default, 12);
        row("Label3", {456, 64, 97, 17}, "ミナモソフト", FontKind::Default, 12);
        row("Text1", {40, 128, 137, 28}, "", FontKind::P, 19);
        row("Text2", {416, 128, 73, 25}, "", FontKind::P, 15);
        row("Label23", {496, 136, 81, 25}, "誤差範囲％", FontKind::Default, 12);
        row("Label33", {432, 152, 137, 17}, "通常は入力不要です", FontKind::P, 10);
        row("Command1", {88, 184, 65, 57}, "Ｅ６系列", FontKind::Default, 12);
        row("Command2", {200, 184, 65, 57}, "Ｅ１２系列", FontKind::Default, 12);
        row("Command3", {304, 184, 65, 57}, "Ｅ２４系列", FontKind::Default, 12);
        row("Label1", {408, 192, 129, 17}, "コンデンサ専用", FontKind::G, 12, white);
        row("Command4", {424, 208, 57, 33}, "Ｅ３系列", FontKind::Default, 12);
        row("Label24", {120, 256, 81, 25}, "並列条件", FontKind::P, 19, QColor(255, 255, 0));
        row("Label25", {392, 256, 81, 25}, "直列条件", FontKind::P, 19, QColor(0, 255, 255));
        row("Label26", {48, 296, 257, 17}, "抵抗１    抵抗２      合成値     誤差", FontKind::G,
            12);
        row("Label27", {320, 296, 257, 17}, "抵抗１　　抵抗２　　　合成値　　誤差", FontKind::G,
            12);

        // Result cells: rows at 320, 368, 416; partA, partB, combined, error.
        const char* parallelNames[3][4] = {{"Label5", "Label6", "Label36", "Label7"},
                                           {"Label8", "Label9", "Label37", "Label10"},
                                           {"Label11", "Label12", "Label38", "Label13"}};
        const char* seriesNames[3][4] = {{"Label14", "Label15", "Label40", "Label16"},
                                         {"Label17", "Label18", "Label41", "Label19"},
                                         {"Label20", "Label21", "Label42", "Label22"}};
        const QColor parallelColours[3] = {{255, 255, 192}, {255, 255, 128}, {255, 255, 0}};
        const QColor seriesColours[3] = {{192, 255, 255}, {128, 255, 255}, {0, 255, 255}};
        const int lefts[4] = {40, 104, 176, 240};
        const int widths[4] = {49, 49, 49, 41};
        const Qt::Alignment alignments[4] = {Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter,
                                             Qt::AlignRight};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 4; ++c) {
                row(parallelNames[r][c], {lefts[c], 320 + 48 * r, widths[c], 25}, "", FontKind::P,
                    18, parallelColours[r], alignments[c]);
                row(seriesNames[r][c], {lefts[c] + 272, 320 + 48 * r, widths[c], 25}, "",
                    FontKind::P, 18, seriesColours[r], alignments[c]);
            }
        }
        const char* percentNames[2][3] = {{"Label28", "Label29", "Label30"},
                                          {"Label31", "Label32", "Label34"}};
        for (int r = 0; r < 3; ++r) {
            row(percentNames[0][r], {280, 328 + 48 * r, 33, 17}, "％", FontKind::Default, 12, {},
                Qt::AlignHCenter);
            row(percentNames[1][r], {552, 328 + 48 * r, 33, 25}, "％", FontKind::Default, 12, {},
                Qt::AlignHCenter);
        }
    }

    void controls() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(int, font);
        QFETCH(int, pixelSize);
        QFETCH(QColor, background);
        QFETCH(Qt::Alignment, alignment);

        auto* widget = m_window->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        QVERIFY(widget->isVisible());
        QVERIFY(widget->isEnabled());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            QCOMPARE(label->text(), text);
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, alignment);
            QCOMPARE(label->autoFillBackground(), background.isValid());
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(button->text(), text);
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            QCOMPARE(box->text(), text);
        }
        if (background.isValid()) QCOMPARE(widget->palette().color(QPalette::Window), background);
        const QFontInfo info(widget->font());
        QCOMPARE(info.pixelSize(), pixelSize);
        QCOMPARE(info.bold(), false);
        QCOMPARE(info.italic(), false);
        if (FontKind(font) == FontKind::G) {
            QVERIFY2(isFixedPitchFace(info.family()), qPrintable(info.family()));
        } else {
            QVERIFY2(isProportionalFace(info.family()), qPrintable(info.family()));
        }
    }

    void picturesStandClippedInTheirBoxes() {
        QCOMPARE(control<QWidget>("Picture1")->geometry(), QRect(32, 16, 318, 106));
        QCOMPARE(control<QWidget>("Picture2")->geometry(), QRect(176, 120, 233, 41));
        QCOMPARE(gosei::ui::pictureSize(gosei::ui::Picture::Title), QSize(314, 118));
        QCOMPARE(gosei::ui::pictureSize(gosei::ui::Picture::InputHint), QSize(275, 59));
    }

    void picturesInk_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("bandTop");
        QTest::addColumn<int>("bandBottom");
        QTest::addColumn<QRect>("ink");  // inclusive pixel extents
        const int title = int(gosei::ui::Picture::Title);
        const int hint = int(gosei::ui::Picture::InputHint);
        QTest::newRow("title") << title << QColor(128, 0, 128) << 0 << 52
                               << QRect(QPoint(8, 11), QPoint(292, 43));
        QTest::newRow("capacitor note 1")
            << title << QColor(255, 0, 0) << 55 << 73 << QRect(QPoint(11, 61), QPoint(154, 71));
        QTest::newRow("capacitor note 2")
            << title << QColor(255, 0, 0) << 74 << 117 << QRect(QPoint(11, 76), QPoint(279, 86));
        QTest::newRow("hint 1") << hint << QColor(255, 0, 255) << 0 << 25
                                << QRect(QPoint(12, 13), QPoint(224, 23));
        QTest::newRow("hint 2") << hint << QColor(255, 0, 255) << 26 << 58
                                << QRect(QPoint(25, 28), QPoint(203, 38));
    }

    // Where the ink of each line lies in its picture, within a pixel, and in
    // which colour; at the pixel ratio of the screen the tests run on.
    void picturesInk() {
        QFETCH(int, picture);
        QFETCH(QColor, colour);
        QFETCH(int, bandTop);
        QFETCH(int, bandBottom);
        QFETCH(QRect, ink);
        const qreal ratio = m_window->devicePixelRatioF();
        const QImage image = gosei::ui::renderPicture(gosei::ui::Picture(picture), ratio);
        QRect found;
        bool exactColour = false;
        for (int y = qFloor(bandTop * ratio); y < qCeil((bandBottom + 1) * ratio); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel == QColor(Qt::white)) continue;
                found |= QRect(x, y, 1, 1);
                exactColour = exactColour || pixel == colour;
            }
        }
        QVERIFY(exactColour);
        // Inclusive logical extents of the device pixels found.
        const QRect logical(QPoint(qFloor(found.left() / ratio), qFloor(found.top() / ratio)),
                            QPoint(qCeil((found.right() + 1) / ratio) - 1,
                                   qCeil((found.bottom() + 1) / ratio) - 1));
        const QString where = QStringLiteral("ink %1,%2 to %3,%4")
                                  .arg(logical.left())
                                  .arg(logical.top())
                                  .arg(logical.right())
                                  .arg(logical.bottom());
        QVERIFY2(qAbs(logical.left() - ink.left()) <= 1 && qAbs(logical.top() - ink.top()) <= 1,
                 qPrintable(where));
        QVERIFY2(
            qAbs(logical.right() - ink.right()) <= 1 && qAbs(logical.bottom() - ink.bottom()) <= 1,
            qPrintable(where));
    }

    // The window starts with the images that come with the program; they
    // must be what the program draws today (tools/render-pictures). Glyphs
    // are hinted for the screen, so this holds where the tool runs, on a
    // screen of ratio 1.
    void shippedPicturesMatchTheDrawing() {
        if (m_window->devicePixelRatioF() != 1.0) QSKIP("drawn on a screen of ratio 1");
        for (auto picture : {gosei::ui::Picture::Title, gosei::ui::Picture::InputHint}) {
            for (qreal ratio : {1.0, 2.0}) {
                const QString name = gosei::ui::shippedPictureName(picture, ratio);
                const QImage shipped = QImage(QStringLiteral(":/pictures/") + name)
                                           .convertToFormat(QImage::Format_RGB32);
                const QImage drawn = gosei::ui::drawPicture(picture, ratio);
                QCOMPARE(shipped.size(), drawn.size());
                int differing = 0;
                for (int y = 0; y < drawn.height(); ++y) {
                    for (int x = 0; x < drawn.width(); ++x)
                        differing += shipped.pixel(x, y) != drawn.pixel(x, y);
                }
                QVERIFY2(
                    differing == 0,
                    qPrintable(QStringLiteral("%1: %2 pixels differ; run tools/render-pictures")
                                   .arg(name)
                                   .arg(differing)));
            }
        }
    }

    void noticeFitsOnOneLine() {
        auto* notice = control<QLabel>("Label4");
        QCOMPARE(notice->pos(), QPoint(456, 48));
        QVERIFY(!notice->text().isEmpty());
        QVERIFY(!notice->text().contains(u'\n'));
        QCOMPARE(notice->height(), QFontMetrics(notice->font()).height());
        QVERIFY(notice->geometry().right() < m_window->width());
    }

    void fixedPitchFaceKeepsFullWidthDouble() {
        const QFontMetrics metrics(gosei::ui::japaneseFont(gosei::ui::Face::FixedPitch, 9));
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("1")), 6);
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral(" ")), 6);
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("抵")), 12);
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("１")), 12);
        QCOMPARE(metrics.horizontalAdvance(QString(QChar(0x3000))), 12);
    }

    // Each word of a column head starts over its column of cells.
    void columnHeadsStandOverTheirColumns() {
        for (const char* headName : {"Label26", "Label27"}) {
            auto* head = control<QLabel>(headName);
            const QFontMetrics metrics(head->font());
            const QString text = head->text();
            const bool series = QLatin1String(headName) == QLatin1String("Label27");
            const char* cellNames[4] = {
                series ? "Label14" : "Label5", series ? "Label15" : "Label6",
                series ? "Label40" : "Label36", series ? "Label16" : "Label7"};
            const QStringList words{QStringLiteral("抵抗１"), QStringLiteral("抵抗２"),
                                    QStringLiteral("合成値"), QStringLiteral("誤差")};
            for (int i = 0; i < 4; ++i) {
                const int start =
                    head->x() + metrics.horizontalAdvance(text.left(text.indexOf(words[i])));
                const int end = start + metrics.horizontalAdvance(words[i]);
                const QRect cell = control<QWidget>(cellNames[i])->geometry();
                QVERIFY2(start >= cell.left() - 12 && end <= cell.right() + 12,
                         qPrintable(QStringLiteral("%1 %2: %3-%4 over %5-%6")
                                        .arg(QLatin1String(headName), words[i])
                                        .arg(start)
                                        .arg(end)
                                        .arg(cell.left())
                                        .arg(cell.right())));
            }
        }
    }

    void startsEmptyWithFocusInTheTargetBox() {
        for (const QString& cell : gridTexts(*m_window))
            QVERIFY(cell.isEmpty());
        QVERIFY(m_window->helpWindow() == nullptr);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QCOMPARE(QApplication::focusWidget(), control<QWidget>("Text1"));
    }

    void tabVisitsInputsAndButtonsInOrder() {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        const char* order[] = {"Command1", "Command2", "Command3", "Command4",
                               "Text2",    "Command5", "Text1"};
        for (const char* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromUtf8(next));
        }
    }

    void boxesKeepTheInputMethodOff() {
        for (const char* name : {"Text1", "Text2"}) {
            auto* box = control<QLineEdit>(name);
            QVERIFY(!box->testAttribute(Qt::WA_InputMethodEnabled));
            QCOMPARE(box->inputMethodQuery(Qt::ImEnabled).toBool(), false);
            const QString longText(100000, u'7');
            box->setText(longText);
            QCOMPARE(box->text(), longText);
        }
    }

    void resultCellsHaveAccessibleNames() {
        QSet<QString> names;
        for (QLabel* label : m_window->findChildren<QLabel*>()) {
            if (!label->autoFillBackground() || label->objectName() == QLatin1String("Label1") ||
                label->objectName() == QLatin1String("Label24") ||
                label->objectName() == QLatin1String("Label25")) {
                continue;
            }
            QVERIFY(!label->accessibleName().isEmpty());
            names.insert(label->accessibleName());
        }
        QCOMPARE(names.size(), 24);
        QCOMPARE(control<QLabel>("Label5")->accessibleName(),
                 QStringLiteral("並列条件 1行目 抵抗１"));
        QCOMPARE(control<QLabel>("Label22")->accessibleName(),
                 QStringLiteral("直列条件 3行目 誤差％"));
    }

    void buttonsMatchTheCommandLine_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("series");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("tolerance");
        QTest::newRow("E6 47") << "Command1"
                               << "E6"
                               << "47"
                               << "";
        QTest::newRow("E12 0.1") << "Command2"
                                 << "E12"
                                 << "0.1"
                                 << "";
        QTest::newRow("E24 1.04 at 5") << "Command3"
                                       << "E24"
                                       << "1.04"
                                       << "5";
        QTest::newRow("E3 1.24") << "Command4"
                                 << "E3"
                                 << "1.24"
                                 << "";
        QTest::newRow("E6 6.5 gives up") << "Command1"
                                         << "E6"
                                         << "6.5"
                                         << "";
        QTest::newRow("E12 full-width") << "Command2"
                                        << "E12"
                                        << "３３００"
                                        << "１";
        QTest::newRow("E24 tiny") << "Command3"
                                  << "E24"
                                  << "4.7e-30"
                                  << "";
        QTest::newRow("E3 huge") << "Command4"
                                 << "E3"
                                 << "6.8e30"
                                 << "33";
    }

    void buttonsMatchTheCommandLine() {
        QFETCH(QString, button);
        QFETCH(QString, series);
        QFETCH(QString, target);
        QFETCH(QString, tolerance);
        type("Text1", target);
        type("Text2", tolerance);
        press(button.toUtf8().constData());
        const QString expected = QString::fromStdString(
            gosei::cli::batchLine((series + u'\t' + target + u'\t' + tolerance).toStdString()));
        QCOMPARE(gridTexts(*m_window).join(u'\t'), expected.section(u'\t', 1));
        QCOMPARE(control<QLineEdit>("Text1")->text(), target);
    }

    // A target of 100000 digits reads as a number too large for single
    // precision: the target message, and the text stays as typed.
    void longTextsAreKeptWhole() {
        const QString digits(100000, u'9');
        type("Text1", digits);
        MessageWatcher watcher;
        press("Command3");
        QTRY_COMPARE(watcher.count(), 1);
        QCOMPARE(control<QLineEdit>("Text1")->text(), digits);
    }

    void longTextsShowWholeInTheirCells_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("target");
        QTest::newRow("negative two-digit error") << "Command1"
                                                  << "47";
        QTest::newRow("E3 negative error") << "Command4"
                                           << "1.24";
        QTest::newRow("small plain values") << "Command3"
                                            << "0.00047";
        QTest::newRow("ten-character values") << "Command2"
                                              << "0.000012345";
        QTest::newRow("fifteen digits") << "Command3"
                                        << "999900000000000";
        QTest::newRow("small exponent form") << "Command1"
                                             << "3.197e-7";
        QTest::newRow("top of the range") << "Command3"
                                          << "3.4e38";
        QTest::newRow("bottom of the range") << "Command3"
                                             << "1e-38";
    }

    // Every cell shows all of its text: the ink stays inside the cell with
    // background beside it, and a condensed text has the ink of the same text
    // drawn unconstrained, squeezed by the cell's scale.
    void longTextsShowWholeInTheirCells() {
        QFETCH(QString, button);
        QFETCH(QString, target);
        type("Text1", target);
        press(button.toUtf8().constData());
        int condensed = 0;
        for (auto* cell : m_window->findChildren<gosei::ui::ResultCell*>()) {
            if (cell->text().isEmpty()) continue;
            const qreal ratio = cell->devicePixelRatioF();
            const QImage image = cell->grab().toImage();
            const InkSpan ink = inkColumns(image, cell->palette().color(QPalette::Window));
            const QString where = cell->objectName() + u' ' + cell->text();
            QVERIFY2(ink.found(), qPrintable(where));
            const qreal left = ink.left / ratio;
            const qreal right = (ink.right + 1) / ratio;
            QVERIFY2(left >= 0.0 && right <= cell->width(), qPrintable(where));
            QVERIFY2(left >= 1.0 || right <= cell->width() - 1.0, qPrintable(where));

            const gosei::ui::CellTextLayout layout = cell->textLayout();
            if (layout.horizontalScale == 1.0) continue;
            ++condensed;
            QVERIFY2(layout.horizontalScale >= 0.5, qPrintable(where));
            const auto [inkLeft, inkRight] = unconstrainedInk(layout.font, cell->text(), ratio);
            const qreal expectedLeft = layout.originX + layout.horizontalScale * inkLeft;
            const qreal expectedRight = layout.originX + layout.horizontalScale * inkRight;
            QVERIFY2(qAbs(left - expectedLeft) <= 1.5 && qAbs(right - expectedRight) <= 1.5,
                     qPrintable(QStringLiteral("%1: ink %2-%3, expected %4-%5")
                                    .arg(where)
                                    .arg(left)
                                    .arg(right)
                                    .arg(expectedLeft)
                                    .arg(expectedRight)));
        }
        QVERIFY(condensed > 0);
        QCOMPARE(m_window->findChildren<gosei::ui::ResultCell*>().size(), 24);
    }

    void pressingTwiceGivesTheSameGrid() {
        type("Text1", QStringLiteral("6.5"));
        press("Command3");
        const QStringList first = gridTexts(*m_window);
        press("Command3");
        QCOMPARE(gridTexts(*m_window), first);
    }

    void refusedToleranceChangesNothing() {
        type("Text1", QStringLiteral("47"));
        press("Command1");
        const QStringList before = gridTexts(*m_window);
        type("Text2", QStringLiteral("20.5"));
        MessageWatcher watcher;
        press("Command1");
        QTRY_COMPARE(watcher.count(), 1);
        verifyPlainMessage(watcher.last(), QStringLiteral("誤差条件が甘すぎます"));
        QCOMPARE(gridTexts(*m_window), before);
        QCOMPARE(control<QLineEdit>("Text2")->text(), QStringLiteral("20.5"));
    }

    void looseE24ToleranceIsEmptiedAndIgnored() {
        type("Text1", QStringLiteral("47"));
        press("Command3");
        const QStringList withoutTolerance = gridTexts(*m_window);
        press("Command1");  // something else on the grid first
        type("Text2", QStringLiteral("6"));
        MessageWatcher watcher;
        press("Command3");
        QTRY_COMPARE(watcher.count(), 1);
        verifyPlainMessage(watcher.last(), QStringLiteral("誤差条件が甘すぎます"));
        QCOMPARE(control<QLineEdit>("Text2")->text(), QString());
        QCOMPARE(gridTexts(*m_window), withoutTolerance);
    }

    void badTargetShowsItsMessageAndChangesNothing_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a number") << "abc" << QStringLiteral("正の数値を入力して下さい");
        QTest::newRow("too small")
            << "1e-60"
            << QStringLiteral("範囲外の数値です（1E-38 から 3.4E+38 までの数値を入力して下さい）");
        QTest::newRow("too large") << QString(5000, u'9')
                                   << QStringLiteral(
                                          "範囲外の数値です（1E-38 から 3.4E+38 "
                                          "までの数値を入力して下さい）");
    }

    void badTargetShowsItsMessageAndChangesNothing() {
        QFETCH(QString, target);
        QFETCH(QString, message);
        type("Text1", QStringLiteral("47"));
        press("Command2");
        const QStringList before = gridTexts(*m_window);
        type("Text1", target);
        type("Text2", QStringLiteral("99"));
        MessageWatcher watcher;
        press("Command2");
        QTRY_COMPARE(watcher.count(), 1);
        verifyPlainMessage(watcher.last(), message);
        QCOMPARE(gridTexts(*m_window), before);
        QCOMPARE(control<QLineEdit>("Text1")->text(), target);
        QCOMPARE(control<QLineEdit>("Text2")->text(), QStringLiteral("99"));
    }

    void enterAndEscapeInABoxDoNothing() {
        for (const char* name : {"Text1", "Text2"}) {
            auto* box = control<QLineEdit>(name);
            box->setFocus();
            QTest::keyClicks(box, QStringLiteral("47"));
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_Enter);
            QTest::keyClick(box, Qt::Key_Escape);
            QCOMPARE(box->text(), QStringLiteral("47"));
        }
        for (const QString& cell : gridTexts(*m_window))
            QVERIFY(cell.isEmpty());
    }

    void editingAfterACalculationLeavesTheGrid() {
        type("Text1", QStringLiteral("47"));
        press("Command1");
        const QStringList before = gridTexts(*m_window);
        QTest::keyClicks(control<QLineEdit>("Text1"), QStringLiteral("0"));
        QCOMPARE(gridTexts(*m_window), before);
    }

    void closingEmitsClosed() {
        QSignalSpy closed(m_window.get(), &MainWindow::closed);
        m_window->close();
        QCOMPARE(closed.count(), 1);
    }

    // Under QT_SCALE_FACTOR=2 the same layout is drawn at twice the pixels.
    void drawsAtTheScreensPixelRatio() {
        const qreal ratio = m_window->devicePixelRatioF();
        const QPixmap shot = m_window->grab();
        QCOMPARE(shot.size(), QSize(qRound(584 * ratio), qRound(456 * ratio)));
        const QImage title = gosei::ui::renderPicture(gosei::ui::Picture::Title, ratio);
        QCOMPARE(title.size(), QSize(qRound(314 * ratio), qRound(118 * ratio)));
        if (qgetenv("QT_SCALE_FACTOR") == "2") QCOMPARE(ratio, 2.0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
