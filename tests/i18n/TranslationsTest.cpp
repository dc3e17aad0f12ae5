// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>

#include <QFontMetrics>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTemporaryDir>

#include "app/App.h"
#include "app/Translations.h"
#include "board/Rules.h"
#include "board/Window1.h"
#include "framework/Controls.h"
#include "headless/Headless.h"
#include "info/Window2.h"
#include "info/Window3.h"
#include "scores/Window4.h"

namespace {
// The texts of `window`'s labels and buttons that run out of the room their rectangle
// leaves (a button's less the style's margins; a multi-line label's word-wrapped).
QStringList overflows(const QWidget& window) {
    QStringList found;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const QString text = control->property("text").toString();
        const QFontMetrics metrics(control->font());
        const QStyle& style = *control->style();
        QSize room = control->contentsRect().size();
        QSize needed(metrics.horizontalAdvance(text), metrics.height());
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            needed = metrics
                         .boundingRect(QRect(0, 0, room.width(), 9999),
                                       label->wordWrap() ? Qt::TextWordWrap : 0, text)
                         .size();
        } else if (qobject_cast<const QRadioButton*>(control)) {
            room.rwidth() -= style.pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                             style.pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
        } else if (qobject_cast<const QPushButton*>(control)) {
            room.rwidth() -= style.pixelMetric(QStyle::PM_ButtonMargin) +
                             2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth);
        } else {
            continue;
        }
        if (!text.isEmpty() && (needed.width() > room.width() || needed.height() > room.height())) {
            found << QStringLiteral("%1 \"%2\" needs %3 x %4 px, has %5 x %6")
                         .arg(control->objectName(), text)
                         .arg(needed.width())
                         .arg(needed.height())
                         .arg(room.width())
                         .arg(room.height());
        }
    }
    return found;
}

QString tr(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

struct Language : ::testing::TestWithParam<QString> {
    void TearDown() override {
        closeAllWindows();
        installTranslations(QStringLiteral("huemix"), QLocale(QLocale::English));
    }
};

// Whether each catalogue holds a finished translation of every text lupdate finds in the
// game, and nothing else, and how each window looks in that language.
TEST_P(Language, translatesEveryTextToFitItsControl) {
    const QString ts = QStringLiteral(HUEMIX_TS_DIR "/huemix_%1.ts").arg(GetParam());
    QTemporaryDir folder;
    if (QFile::exists(ts)) {  // English is the sources'
        const QString copy = folder.filePath(QStringLiteral("copy.ts"));
        ASSERT_TRUE(QFile::copy(ts, copy));
        QProcess lupdate;
        lupdate.start(QStringLiteral(HUEMIX_LUPDATE),
                      {QStringLiteral("-locations"), QStringLiteral("none"),
                       QStringLiteral("@" HUEMIX_TEXT_LIST), QStringLiteral("-ts"), copy});
        ASSERT_TRUE(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0);
        QFile updated(copy);
        ASSERT_TRUE(updated.open(QIODevice::ReadOnly));
        const QString entries = QString::fromUtf8(updated.readAll());
        EXPECT_FALSE(entries.contains(QLatin1String("type=\"unfinished\"")) ||
                     entries.contains(QLatin1String("type=\"vanished\"")) ||
                     entries.contains(QLatin1String("type=\"obsolete\"")))
            << entries.toStdString();
    }
    installTranslations(QStringLiteral("huemix"), QLocale(GetParam()));
    EXPECT_EQ(tr("Window1", "Quit") == "Quit", GetParam() == "en");  // ours and Qt's loaded
    EXPECT_EQ(tr("QPlatformTheme", "Cancel") == "Cancel", GetParam() == "en");
    QStringList found;
    Window4& scores = Window4::shared();
    StaticText& note = *scores.StaticText5;
    for (const QString& text :  // the longest notes beside the name field
         {tr("ScoreFile", "Scores cannot be kept: no home folder was found."),
          tr("ScoreFile", "Not all scores could be read: %1.")
              .arg(tr("ScoreFile", "a name or score in it is longer than %1 MB").arg(1))}) {
        note.setText(text);
        found << overflows(scores);
    }
    Window1& board = Window1::shared();
    for (int selector = 1; selector <= 6; ++selector) {  // every Beginner hint
        const std::array hints{board.StaticText16, board.StaticText17, board.StaticText18};
        for (std::size_t i = 0; i < hints.size(); ++i) {
            hints[i]->setText(hintsFor(selector)[i].text);
        }
        found << overflows(board);
    }
    found << overflows(Window2::shared()) << overflows(Window3::shared());
    found.removeDuplicates();
    EXPECT_TRUE(found.isEmpty()) << found.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, Language, ::testing::Values("en", "de", "fr", "es"),
                         [](const auto& language) { return language.param.toStdString(); });
}  // namespace
