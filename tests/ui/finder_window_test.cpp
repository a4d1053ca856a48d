#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <random>
#include <sstream>

#include "cli/cli_commands.h"
#include "networks/value_text.h"
#include "ui/finder_search.h"
#include "ui/finder_window.h"
#include "ui/first_window.h"
#include "ui/main_window.h"

using gosei::ui::FinderWindow;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

// A request as a person fills the form in: the text of every field.
struct Request {
    bool divider = false;
    QString wanted, ratio, vref, vout;
    QString series = QStringLiteral("E24");  // empty for a stock list
    QString lowest, highest, stock, exclude, fewestParts, mostParts, top, tolerance, partTolerance,
        lowestTotal, highestTotal;
};

// The same request for `gosei-cli`, an empty end of a range standing for
// the command line's default.
QStringList commandLine(const Request& request, const QString& stockFile) {
    QStringList args = {QStringLiteral("gosei-cli"),
                        request.divider ? QStringLiteral("divider") : QStringLiteral("find")};
    const auto option = [&](const char* name, const QString& text) {
        if (!text.isEmpty()) args << QString::fromLatin1(name) << text;
    };
    const auto range = [&](const char* name, const QString& low, const QString& high,
                           const char* lowest, const char* highest) {
        if (!low.isEmpty() || !high.isEmpty())
            option(name, (low.isEmpty() ? QString::fromLatin1(lowest) : low) + ".." +
                             (high.isEmpty() ? QString::fromLatin1(highest) : high));
    };
    const QString wanted = request.divider ? request.ratio : request.wanted;
    if (!wanted.isEmpty()) args << wanted;
    if (request.series.isEmpty()) {
        option("--stock", stockFile);
    } else {
        option("--series", request.series);
        range("--range", request.lowest, request.highest, "1", "10M");
    }
    option("--exclude", request.exclude);
    range("--parts", request.fewestParts, request.mostParts, request.divider ? "2" : "1", "4");
    option("--top", request.top);
    option("--tolerance", request.tolerance);
    option("--part-tolerance", request.partTolerance);
    if (request.divider) {
        range("--total", request.lowestTotal, request.highestTotal, "10k", "100k");
        option("--vref", request.vref);
        option("--vout", request.vout);
    }
    return args << QStringLiteral("--json");
}

struct CommandOutput {
    int status;
    QString out, err;
};

CommandOutput runCommandLine(const QStringList& args) {
    std::vector<std::string> words;
    for (const QString& arg : args)
        words.push_back(arg.toStdString());
    std::vector<const char*> argv;
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    std::istringstream in;
    std::ostringstream out, err;
    const int status = gosei::cli::run(static_cast<int>(argv.size()), argv.data(), in, out, err);
    return {status, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}

// ---- Random requests ------------------------------------------------------

class RequestMaker {
  public:
    explicit RequestMaker(unsigned seed) : m_random(seed) {}

    Request next() {
        Request request;
        request.divider = chance(0.5);
        // Series and ranges that keep each search within milliseconds.
        const QStringList series = {"E1", "E3", "E6", "E12", "E24", "E48", "E96", "E192"};
        const int seriesIndex = number(0, 7);
        const int decade = number(0, 5);
        const int decades = std::max(0, number(0, 3) - seriesIndex / 3 - (request.divider ? 1 : 0));
        if (chance(0.25)) {
            request.series.clear();
            request.stock = stockList();
        } else {
            request.series = series[seriesIndex];
            if (seriesIndex <= 4 && chance(0.2)) {
                // The whole default range, or one end of it.
                if (chance(0.5)) request.highest = written(1, decade + 1);
            } else {
                request.lowest = written(1, decade);
                request.highest = written(pick({2, 5, 10}), decade + decades);
            }
        }
        if (request.divider) {
            switch (number(0, 2)) {
                case 0:
                    request.ratio = decimal(number(5, 95), -2);
                    break;
                case 1:
                    request.ratio = QStringLiteral("%1/%2").arg(decimal(number(5, 49), -1),
                                                                pick({"5", "12", "5V"}));
                    break;
                default:
                    request.vref = pick({"0.6", "0.8", "1.25", "1V2"});
                    request.vout = decimal(number(25, 150), -1);
            }
            if (chance(0.3)) {
                request.lowestTotal = chance(0.5) ? written(1, decade) : QString();
                request.highestTotal = written(number(20, 500), decade);
            }
        } else {
            request.wanted = written(number(100, 999), decade + number(0, decades) - 2);
        }
        if (chance(0.2)) request.exclude = written(pick({10, 22, 47}), decade - 1);
        const int fewestAllowed = request.divider ? 2 : 1;
        if (chance(0.4)) request.fewestParts = QString::number(number(fewestAllowed, 3));
        if (chance(0.4))
            request.mostParts =
                QString::number(number(std::max(fewestAllowed, request.fewestParts.toInt()), 4));
        if (chance(0.3)) request.top = QString::number(number(1, 6));
        if (chance(0.2)) request.tolerance = pick({"0.1", "1", "2.5"});
        if (chance(0.3)) request.partTolerance = pick({"0", "1", "5", "0.25"});
        if (chance(0.12)) spoil(request);
        return request;
    }

  private:
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }
    int number(int low, int high) { return std::uniform_int_distribution(low, high)(m_random); }
    template <typename T>
    T pick(std::initializer_list<T> items) {
        return items.begin()[number(0, static_cast<int>(items.size()) - 1)];
    }
    QString pick(std::initializer_list<const char*> items) {
        return QString::fromUtf8(pick<const char*>(items));
    }
    // digits × 10^exponent as a decimal.
    static QString decimal(int digits, int exponent) {
        return QString::number(QStringLiteral("%1e%2").arg(digits).arg(exponent).toDouble(), 'g',
                               15);
    }

    // digits × 10^exponent in one of the notations engineers write.
    QString written(int digits, int exponent) {
        const QString plain = decimal(digits, exponent);
        const double value = plain.toDouble();
        const QString engineer = QString::fromStdString(gosei::networks::valueText(value));
        switch (number(0, 3)) {
            case 0:
                return plain;
            case 1:
                return engineer;
            case 2: {
                // 4.7k as 4k7, 4.7 as 4R7.
                QString letter = engineer.right(1);
                const bool hasLetter = letter.at(0).isLetter();
                QString figures = hasLetter ? engineer.chopped(1) : engineer;
                if (!hasLetter) letter = QStringLiteral("R");
                return figures.contains(u'.') ? figures.replace(u'.', letter) : figures + letter;
            }
            default:
                return QString::number(value, 'e', 2);
        }
    }

    QString stockList() {
        QStringList lines = {QStringLiteral("# drawer")};
        const int count = number(1, 25);
        for (int i = 0; i < count; ++i) {
            lines << written(number(10, 99), number(-1, 5)) +
                         (chance(0.2) ? QStringLiteral("\t5 pcs") : QString());
        }
        return lines.join(u'\n') + u'\n';
    }

    // One field the command line refuses.
    void spoil(Request& request) {
        switch (number(0, 9)) {
            case 0:
                (request.divider ? request.ratio : request.wanted) = QStringLiteral("4k7k");
                break;
            case 1:
                request.fewestParts = QStringLiteral("5");
                break;
            case 2:
                request.top = QStringLiteral("0");
                break;
            case 3:
                request.tolerance = QStringLiteral("-1");
                break;
            case 4:
                request.partTolerance = QStringLiteral("100");
                break;
            case 5:
                request.exclude = QStringLiteral("1k,x");
                break;
            case 6:
                request.series.clear();
                request.stock = QStringLiteral("10k\nten\n");
                break;
            case 7:
                request.series = QStringLiteral("E12");
                request.lowest = QStringLiteral("10k");
                request.highest = QStringLiteral("1k");
                break;
            case 8:
                request.divider = true;
                request.ratio = QStringLiteral("1.5");
                request.vref.clear();
                request.vout.clear();
                break;
            default:
                request.divider = true;
                request.vref = QStringLiteral("0.8");
                request.vout.clear();
                request.ratio.clear();
        }
    }

    std::mt19937 m_random;
};

// ---- Reading the window -----------------------------------------------------

template <typename T>
T* named(const QWidget& window, const QString& name) {
    for (T* widget : window.findChildren<T*>()) {
        if (widget->accessibleName() == name || widget->property("text").toString() == name)
            return widget;
    }
    qFatal("no control %s", qPrintable(name));
}

struct ShownGroup {
    int partCount = 0;
    QList<QMap<QString, QString>> rows;  // heading -> text
};

QList<ShownGroup> shownGroups(const FinderWindow& window) {
    const auto* table = window.findChild<QTableView*>();
    const QAbstractItemModel* model = table->model();
    QList<ShownGroup> groups;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString first = model->index(row, 0).data().toString();
        if (table->columnSpan(row, 0) > 1) {
            if (first.endsWith(QStringLiteral(" 個")))
                groups.append(ShownGroup{first.chopped(2).toInt(), {}});
            continue;
        }
        QMap<QString, QString> texts;
        for (int column = 1; column < model->columnCount(); ++column)
            texts[model->headerData(column, Qt::Horizontal).toString()] =
                model->index(row, column).data().toString();
        groups.last().rows.append(texts);
    }
    return groups;
}

gosei::networks::FinderSetup setUp(gosei::networks::FinderMode mode, const char* wanted,
                                   const char* series) {
    gosei::networks::FinderOptions options;
    options.mode = mode;
    options.wanted = wanted;
    options.series = series;
    return std::get<gosei::networks::FinderSetup>(gosei::networks::setUpFinder(options));
}

double shownNumber(const QString& text) {
    const auto value = gosei::networks::parseValue(text.toStdString(), gosei::networks::Unit::None);
    if (!value) qFatal("%s is not a number", qPrintable(text));
    return *value;
}

// The size of one unit in the last of `digits` significant digits.
double lastDigit(double shown, double exact, int digits) {
    const double magnitude = std::max(std::abs(shown), std::abs(exact));
    return magnitude == 0 ? 0 : std::pow(10.0, std::floor(std::log10(magnitude)) - digits + 1);
}

// The shown number has no more than `digits` significant digits.
bool hasDigits(double shown, double unit) {
    return unit == 0 || std::abs(shown / unit - std::round(shown / unit)) < 1e-6;
}

// The text is `exact` rounded to `digits` significant digits.
bool roundsTo(const QString& text, double exact, int digits) {
    const double shown = shownNumber(text);
    const double unit = lastDigit(shown, exact, digits);
    return hasDigits(shown, unit) && std::abs(shown - exact) <= unit * (0.5 + 1e-9);
}

// "LOW … HIGH": both ends rounded outwards to two significant digits.
bool boundsOutwards(const QString& text, const QJsonValue& exact) {
    const QStringList ends = text.split(QStringLiteral(" … "));
    if (ends.size() != 2) return false;
    for (int end = 0; end < 2; ++end) {
        const double shown = shownNumber(ends[end]);
        const double bound = exact[end].toDouble();
        const double outwards = end == 0 ? bound - shown : shown - bound;
        const double unit = lastDigit(shown, bound, 2);
        if (!hasDigits(shown, unit) || outwards < -unit * 1e-9 || outwards >= unit * (1 + 1e-9))
            return false;
    }
    return true;
}

// Every row shown equals the command line's JSON, in order.
QString differences(const QList<ShownGroup>& shown, const QJsonObject& report, bool divider) {
    const QJsonArray results = report[QStringLiteral("results")].toArray();
    if (shown.size() != results.size()) return QStringLiteral("part counts differ");
    const bool regulator = report[QStringLiteral("request")].toObject().contains(u"vref");
    for (qsizetype g = 0; g < shown.size(); ++g) {
        const QJsonObject result = results[g].toObject();
        if (shown[g].partCount != result[QStringLiteral("part_count")].toInt())
            return QStringLiteral("part count %1").arg(shown[g].partCount);
        const QJsonArray items = result[divider ? u"dividers" : u"networks"].toArray();
        if (shown[g].rows.size() != items.size())
            return QStringLiteral("%1 rows of %2 parts")
                .arg(shown[g].rows.size())
                .arg(shown[g].partCount);
        for (qsizetype r = 0; r < items.size(); ++r) {
            const QMap<QString, QString>& row = shown[g].rows[r];
            const QJsonObject item = items[r].toObject();
            const QString where =
                QStringLiteral("%1 parts, row %2: ").arg(shown[g].partCount).arg(r + 1);
            const auto expression = [&](const char* arm) {
                return item[QString::fromLatin1(arm)].toObject()[u"expression"].toString();
            };
            const bool same =
                divider
                    ? row[u"上"_s] == expression("top") && row[u"下"_s] == expression("bottom") &&
                          roundsTo(regulator ? row[u"出力 (V)"_s] : row[u"分圧比"_s],
                                   item[regulator ? u"output" : u"ratio"].toDouble(), 7) &&
                          roundsTo(row[u"合計"_s], item[u"total"].toDouble(), 7)
                    : row[u"回路"_s] == item[u"expression"].toString() &&
                          roundsTo(row[u"合成値"_s], item[u"value"].toDouble(), 7);
            if (!same) return where + QStringLiteral("the parts or their value");
            if (!roundsTo(row[u"誤差 (％)"_s], item[u"error_percent"].toDouble(), 4))
                return where + QStringLiteral("the error ") + row[u"誤差 (％)"_s];
            const QJsonValue worstCase = item[u"worst_case_percent"];
            if (worstCase.isNull() ? row.contains(u"最悪値 (％)"_s)
                                   : !boundsOutwards(row[u"最悪値 (％)"_s], worstCase))
                return where + QStringLiteral("the worst case ") + row[u"最悪値 (％)"_s];
        }
    }
    return {};
}

}  // namespace

class FinderWindowTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_folder;

    void fill(FinderWindow& window, const Request& request) {
        named<QAbstractButton>(window, request.divider ? u"分圧比(&D)"_s : u"合成値(&N)"_s)
            ->click();
        const std::pair<const char*, const QString*> fields[] = {
            {"目標値", &request.wanted},           {"分圧比", &request.ratio},
            {"基準電圧 Vref", &request.vref},      {"出力電圧 Vout", &request.vout},
            {"範囲の下限", &request.lowest},       {"範囲の上限", &request.highest},
            {"除外する値", &request.exclude},      {"最少の部品数", &request.fewestParts},
            {"最多の部品数", &request.mostParts},  {"部品数ごとの件数", &request.top},
            {"最大誤差 (％)", &request.tolerance}, {"部品公差 (％)", &request.partTolerance},
            {"合計の下限", &request.lowestTotal},  {"合計の上限", &request.highestTotal}};
        // Emptied first, so that even the same request again is searched.
        named<QLineEdit>(window, u"目標値"_s)->clear();
        for (const auto& [name, text] : fields)
            named<QLineEdit>(window, QString::fromUtf8(name))->setText(*text);
        if (request.series.isEmpty()) {
            window.openStockFile(stockFile(request.stock));
        } else {
            named<QAbstractButton>(window, u"E系列(&S)"_s)->click();
            named<QComboBox>(window, u"系列"_s)->setCurrentText(request.series);
        }
    }

    QString stockFile(const QString& text) {
        const QString path = m_folder.filePath(QStringLiteral("stock.txt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
            qFatal("no stock file");
        return path;
    }

    // Fills the form in and waits for the window to show the answer.
    void ask(FinderWindow& window, const Request& request) {
        QSignalSpy shown(&window, &FinderWindow::requestShown);
        fill(window, request);
        QVERIFY(shown.wait(20000));
    }

  private slots:
    void initTestCase() {
        // The stock list the window remembers goes to a folder of the tests.
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_folder.isValid());
    }

    // The rows shown are those of `gosei-cli find` or `divider --json` for
    // the same request, and a request it refuses is refused in its words.
    void showsWhatTheCommandLineFinds() {
        FinderWindow window;
        window.setTypingPause(0ms);
        window.show();
        RequestMaker maker(20261208);
        int refused = 0;
        for (int i = 0; i < 200; ++i) {
            const Request request = maker.next();
            ask(window, request);
            const QStringList args = commandLine(request, m_folder.filePath("stock.txt"));
            const CommandOutput command = runCommandLine(args);
            const QString context = args.join(u' ');
            const QString message = window.findChild<QLabel*>(u"status"_s)->text();
            if (command.status != 0) {
                ++refused;
                QCOMPARE(command.status, 2);
                QCOMPARE(message, command.err.section(u": "_s, 1).trimmed());
                QVERIFY2(shownGroups(window).isEmpty(), qPrintable(context));
                continue;
            }
            const QJsonObject report = QJsonDocument::fromJson(command.out.toUtf8()).object();
            const QString found = differences(shownGroups(window), report, request.divider);
            QVERIFY2(found.isEmpty(), qPrintable(context + u'\n' + found));
        }
        // Both kinds were tried.
        QVERIFY2(refused >= 10 && refused <= 60, qPrintable(QString::number(refused)));
    }

    // A slow request overtaken by a quick one: only the quick one's answer
    // comes, even though the slow one started first.
    void answersOnlyTheNewestRequest() {
        using namespace gosei::networks;
        // Seconds when it runs to its end.
        const FinderSetup slow = setUp(FinderMode::Divider, "0.66", "E192");
        const FinderSetup quick = setUp(FinderMode::Network, "4k7", "E3");
        gosei::ui::FinderSearch search;
        QSignalSpy answered(&search, &gosei::ui::FinderSearch::answered);
        search.search(slow);
        QTest::qWait(50);  // the slow one is under way
        search.search(quick);
        search.search(quick);  // the first quick one never runs
        QVERIFY(answered.wait(20000));
        QTest::qWait(100);
        QCOMPARE(answered.size(), 1);
        const auto results =
            answered[0][0].value<std::shared_ptr<const gosei::ui::FinderResults>>();
        QCOMPARE(results->series, std::string("E3 1..10M"));
    }

    void opensFromControlFAndFromTheCommandLine() {
        gosei::ui::MainWindow main;
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QCOMPARE(main.finderWindow(), nullptr);  // nothing built before it is asked for
        QTest::keyClick(&main, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(main.finderWindow() && main.finderWindow()->isVisible());

        const auto alone =
            gosei::ui::openFirstWindow({QStringLiteral("gosei"), QStringLiteral("--find")});
        QVERIFY(qobject_cast<FinderWindow*>(alone.get()));
        QVERIFY(alone->isVisible());
        QCOMPARE(alone->windowTitle(), QStringLiteral("回路探索"));
        const auto usual = gosei::ui::openFirstWindow({QStringLiteral("gosei")});
        QVERIFY(qobject_cast<gosei::ui::MainWindow*>(usual.get()));
    }

    // Every control a person can reach has a name a screen reader reads, and
    // so does every row; a row copies as the command line's columns.
    void namesEveryControlAndRowAndCopiesRows() {
        FinderWindow window;
        window.setTypingPause(0ms);
        window.show();
        Request request;
        request.wanted = QStringLiteral("4k7");
        request.partTolerance = QStringLiteral("1");
        ask(window, request);
        for (QWidget* control : window.findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(&window)) continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(),
                     control->metaObject()->className());
        }
        auto* table = window.findChild<QTableView*>();
        for (int row = 0; row < table->model()->rowCount(); ++row)
            QVERIFY(
                !table->model()->index(row, 0).data(Qt::AccessibleTextRole).toString().isEmpty());

        table->setFocus();
        table->selectRow(1);  // the best single part, under the heading "1 個"
        QTest::keySequence(table, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("4.7k\t4.7k\t0\t-1 … +1\n"));
    }
};

QTEST_MAIN(FinderWindowTest)
#include "finder_window_test.moc"
