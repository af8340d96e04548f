// Every screen under a light and a dark desktop palette and with a 14-point
// desktop font: each text stands out at least 4.5 : 1 from what it is drawn
// on (measured on the painted window), and each text fits its place.

#include <QtTest>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>

#include "EveryScreen.h"
#include "basics/BaseBasics.h"
#include "shell/StatusBar.h"

namespace {

QPalette darkPalette()
{
    QPalette p;
    const QColor window(0x2b, 0x2b, 0x2b), base(0x1e, 0x1e, 0x1e), text(0xee, 0xee, 0xee);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x5a, 0x9a));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Dark, QColor(0x60, 0x60, 0x60));
    p.setColor(QPalette::Mid, QColor(0x50, 0x50, 0x50));
    p.setColor(QPalette::Light, QColor(0x70, 0x70, 0x70));
    p.setColor(QPalette::Link, QColor(0x00, 0x00, 0x80)); // a dark link colour, as some schemes keep
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    return p;
}

double luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of a text drawn in a region of the painted window: the
// region's commonest colour is the background, the pixel farthest from it
// the text's colour (the inside of a stroke, where no edge smoothing
// lightens it). 0 for a region of one colour.
double textContrast(const QImage& image, const QRect& region)
{
    QHash<QRgb, int> counts;
    const QRect r = region.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    double best = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, it.key() == background ? 0.0 : contrast(it.key(), background));
    return best;
}

// The texts of a window (shown, enabled, not empty) with the region they
// are drawn in, in window coordinates.
struct Text {
    QWidget* widget;
    QString text;
    QRect region;
};

QList<Text> textsOf(QWidget* window)
{
    QList<Text> texts;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled() || w->width() < 4 || w->height() < 4)
            continue;
        const QRect at(w->mapTo(window, QPoint(0, 0)), w->size());
        if (auto* panel = qobject_cast<Panel*>(w)) {
            if (!panel->caption().trimmed().isEmpty() && panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty())
                texts.append({w, panel->caption(), at.adjusted(3, 3, -3, -3)});
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->text().trimmed().isEmpty())
                texts.append({w, label->text(), at});
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            auto* button = static_cast<QAbstractButton*>(w);
            if (!button->text().isEmpty())
                texts.append({w, button->text(), at.adjusted(20, 0, 0, 0)});
        }
    }
    return texts;
}

QString what(const Text& t, const ScreenCatalogue::Row& row)
{
    return QStringLiteral("%1 %2 \"%3\"").arg(row.section, t.widget->objectName(), t.text);
}

// Each text of the window fits its place: the whole line in the width
// (a status line may run on; its height must hold a line).
QStringList clipped(QWidget* window, const ScreenCatalogue::Row& row)
{
    QStringList faults;
    for (const Text& t : textsOf(window)) {
        QWidget* w = t.widget;
        const QFontMetrics fm(w->font());
        QString text = t.text;
        text.remove(QLatin1Char('&'));
        int room = w->width(), need = fm.horizontalAdvance(text);
        int roomHigh = w->height(), needHigh = fm.height();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (qobject_cast<StatusBar*>(w))
                need = 0;
            else if (label->wordWrap()) {
                need = 0;
                needHigh = label->heightForWidth(label->width());
            } else if (label->textFormat() == Qt::RichText || Qt::mightBeRichText(text))
                need = label->sizeHint().width(), needHigh = label->sizeHint().height();
            room = label->contentsRect().width();
            roomHigh = label->contentsRect().height();
        } else if (qobject_cast<Panel*>(w)) {
            room -= 4;
            roomHigh -= 2;
        } else {
            need += 18; // the check mark or the dot
        }
        if (need > room || needHigh > roomHigh)
            faults << what(t, row) + QStringLiteral(" needs %1x%2, has %3x%4").arg(need).arg(needHigh).arg(room).arg(roomHigh);
    }
    // The push buttons' captions.
    for (auto* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisible() || b->text().isEmpty() || qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b))
            continue;
        QString text = b->text();
        text.remove(QLatin1Char('&'));
        const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
        const int need = QFontMetrics(b->font()).horizontalAdvance(text) + icon + 6;
        if (need > b->width() || QFontMetrics(b->font()).height() > b->height())
            faults << QStringLiteral("%1 %2 \"%3\" needs %4 wide, has %5")
                          .arg(row.section, b->objectName(), text).arg(need).arg(b->width());
    }
    return faults;
}

// Runs fn on every screen of the catalogue: idle, then with a question and
// its answer up (where the screen plays).
template <typename Fn>
void everyScreen(Fn fn)
{
    TestEnvironment env;
    env.signIn(QStringLiteral("Ann"));
    TfrmMain main;
    for (const ScreenCatalogue::Row& row : ScreenCatalogue::rows()) {
        ChildForm* form = openScreenOf(main, row);
        QVERIFY2(form, qPrintable(row.menuItem));
        fn(form, row);
        if (pressVcr(form, "BitBtnPlay")) {
            if (auto* drill = qobject_cast<TBasicsBaseForm*>(form))
                drill->tmrAnswerTimer();
            fn(form, row);
            pressVcr(form, "BitBtnStop");
            fn(form, row);
        }
        QVERIFY2(form->closeForm(), qPrintable(row.section));
    }
}

} // namespace

class TestThemesAndFonts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        m_palette = QApplication::palette();
        m_font = QApplication::font();
    }
    void cleanup()
    {
        QApplication::setPalette(m_palette);
        QApplication::setFont(m_font);
    }

    void every_text_stands_out_under_light_and_dark_palettes_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void every_text_stands_out_under_light_and_dark_palettes()
    {
        QFETCH(bool, dark);
        QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
        QStringList faults;
        int measured = 0;
        everyScreen([&](ChildForm* form, const ScreenCatalogue::Row& row) {
            const QImage image = form->grab().toImage();
            for (const Text& t : textsOf(form)) {
                const double ratio = textContrast(image, t.region);
                ++measured;
                if (ratio < 4.5)
                    faults << what(t, row) + QStringLiteral(" %1 : 1").arg(ratio, 0, 'f', 2);
            }
        });
        QVERIFY(measured > 200);
        faults.removeDuplicates();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void nothing_is_clipped_at_a_14_point_font()
    {
        QFont large = QApplication::font();
        large.setPointSize(14);
        QApplication::setFont(large);
        QStringList faults;
        everyScreen([&](ChildForm* form, const ScreenCatalogue::Row& row) { faults << clipped(form, row); });
        faults.removeDuplicates();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

private:
    QPalette m_palette;
    QFont m_font;
};

QTEST_MAIN(TestThemesAndFonts)
#include "tst_ThemesAndFonts.moc"
