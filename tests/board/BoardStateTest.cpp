// SPDX-License-Identifier: MIT
// The board's controls as a game starts and ends, its closing and shutdown,
// and the tile pictures.
#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QTest>
#include <cmath>

#include "app/App.h"
#include "info/Window2.h"
#include "support/Board.h"

namespace {

TEST_F(BoardTest, lettersChooseAndStartAndTheArrowsChangeNoControl) {
    Window1& b = board();
    b.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&b));  // letter keys work in the active window
    QTest::keyClick(&b, Qt::Key_E);
    EXPECT_EQ(b.Timer1->Period(), 80) << "E chooses Expert";
    b.RadioButton1->setEnabled(true);  // Expert turned it off
    QTest::keyClick(&b, Qt::Key_B);
    for (const Qt::Key arrow : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Down, Qt::Key_Right}) {
        QTest::keyClick(&b, arrow);
    }
    EXPECT_TRUE(b.RadioButton1->Value()) << "B chooses Beginner, no arrow changes it";
    EXPECT_EQ(QApplication::focusWidget(), nullptr);
    QTest::keyClick(&b, Qt::Key_Return);
    EXPECT_EQ(b.cnt, 1) << "Start is the default button";
    // Start is disabled now, and the hidden release button, a default too,
    // must not put a second tile in play.
    QTest::keyClick(&b, Qt::Key_Return);
    QTest::keyClick(&b, Qt::Key_S);
    EXPECT_EQ(b.cnt, 1);
    QTest::keyClick(&b, Qt::Key_H);  // HELP is off in play
    EXPECT_TRUE(b.isVisible());
    Window1& fresh = freshBoard();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fresh));
    QTest::keyClick(&fresh, Qt::Key_H);
    EXPECT_TRUE(Window2::existing() && Window2::existing()->isVisible() && !fresh.isVisible());
    fresh.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fresh));
    QTest::keyClick(&fresh, Qt::Key_S);
    EXPECT_EQ(fresh.cnt, 1) << "S starts";
}

TEST_F(BoardTest, startAndTheDifficultySetTheControlsAndThePace) {
    // Expert chosen, started, ended; then Start, HELP, Beginner, Expert enabled,
    // Beginner chosen, Timer1's period, the key poller running.
    const char* table[] = {"--- 1111 1 125 1", "x-- 1101 0 80 1",  "-s- 0010 1 125 1",
                           "xs- 0001 0 80 1",  "-se 0010 1 125 0", "xse 0001 0 80 0"};
    for (const std::string row : table) {
        Window1& b = freshBoard();
        if (row[0] == 'x') {
            static_cast<QAbstractButton*>(b.RadioButton2->widget())->click();
        }
        if (row[1] == 's') {
            b.PushButton1->Push();
            EXPECT_EQ(std::pair(b.cnt, b.Timer1->Mode()), std::pair(1, int(Timer::Multiple)));
        }
        if (row[2] == 'e') {
            b.aTest.clear();
            ASSERT_EQ(runUntilNextRelease(b), 1 + 28);
        }
        const auto on = [](auto* control) { return control->Enabled() ? "1" : "0"; };
        const std::string seen = std::string(on(b.PushButton1)) + on(b.PushButton5) +
                                 on(b.RadioButton1) + on(b.RadioButton2) + " " +
                                 (b.RadioButton1->Value() ? "1 " : "0 ") +
                                 std::to_string(b.Timer1->Period()) + " " +
                                 std::to_string(b.Timer4->Mode() != Timer::Off);
        EXPECT_EQ(seen, row.substr(4));
        EXPECT_NE(b.RadioButton1->Value(), b.RadioButton2->Value());
    }
}

TEST_F(BoardTest, closingTheBoardQuitsOnlyWhileItsGameIsLive) {
    board().Close();
    EXPECT_EQ(recorded().quits, 1);
    settleEvents();
    Window1& b = freshBoard();
    Window2::shared();  // another window stays on screen: only the board's rule decides
    b.PushButton1->Push();
    b.cktru = false;
    recorded().clear();
    const QPointer<Window1> closed(&b);
    b.Close();
    settleEvents();
    EXPECT_EQ(recorded().quits, 0);
    EXPECT_TRUE(closed.isNull());
}

TEST_F(BoardTest, shutdownAfterAGameReleasesTheWindowsAndThePictures) {
    std::vector<std::weak_ptr<const Picture>> pictures;
    {
        App app;
        board().PushButton1->Push();
        board().Timer1_Action();
        for (int name = Pictures::blue; name <= Pictures::whiteo; ++name) {
            pictures.push_back(Pictures::get(Pictures::Name(name)));
        }
        App::shutdown();  // the board's surface outlives its view: Qt deletes children in order
    }
    EXPECT_EQ(Window1::existing(), nullptr);
    for (const auto& picture : pictures) {
        EXPECT_TRUE(picture.expired());
    }
}

// Players with red-green or blue-yellow colour blindness must still tell every
// tile from every other: under each simulated dichromacy (Machado, Oliveira
// and Fuentes 2009, severity 1, in linear RGB) at least 5 % of the pixels of
// any two tile pictures differ by 64 levels or more in a channel.
TEST(TilePictures, everyPairDiffersPlainlyForColourBlindPlayers) {
    const double simulations[3][9] = {
        {0.152286, 1.052583, -0.204868, 0.114503, 0.786281, 0.099216, -0.003882, -0.048116,
         1.051998},
        {0.367322, 0.860646, -0.227968, 0.280085, 0.672501, 0.047413, -0.011820, 0.042940,
         0.968881},
        {1.255528, -0.076749, -0.178779, -0.078411, 0.930809, 0.147602, 0.004733, 0.691367,
         0.303900},
    };  // protanopia, deuteranopia, tritanopia
    const auto linear = [](int c) {
        return c <= 10 ? c / 255.0 / 12.92 : std::pow((c / 255.0 + 0.055) / 1.055, 2.4);
    };
    const auto encoded = [](double v) {
        v = std::clamp(v, 0.0, 1.0);
        return 255 * (v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055);
    };
    using namespace Pictures;  // the game's own pictures, and their @2x twins
    const std::pair<Name, int> tiles[] = {{blue, 168}, {cyan, 169},   {green, 170}, {magenta, 171},
                                          {red, 172},  {yellow, 173}, {white, 174}, {gray, 178}};
    for (const char* scale : {"", "@2x"}) {
        for (const auto& m : simulations) {
            std::vector<std::vector<double>> seen;  // per tile, 3 channels a pixel
            for (const auto& [name, number] : tiles) {
                const QImage image =
                    *scale ? QImage(QStringLiteral(":/pictures/%1@2x.png").arg(number))
                           : get(name)->pixmap().toImage();
                ASSERT_FALSE(image.isNull()) << number << scale;
                auto& out = seen.emplace_back();
                for (int p = 0; p < image.width() * image.height() * 3; ++p) {
                    const QRgb rgb = image.pixel(p / 3 % image.width(), p / 3 / image.width());
                    const double* row = m + 3 * (p % 3);
                    out.push_back(encoded(row[0] * linear(qRed(rgb)) +
                                          row[1] * linear(qGreen(rgb)) +
                                          row[2] * linear(qBlue(rgb))));
                }
            }
            for (std::size_t a = 0; a < seen.size(); ++a) {
                for (std::size_t b = a + 1; b < seen.size(); ++b) {
                    std::size_t plain = 0;
                    for (std::size_t p = 0; p < seen[a].size(); p += 3) {
                        plain += std::abs(seen[a][p] - seen[b][p]) >= 64 ||
                                 std::abs(seen[a][p + 1] - seen[b][p + 1]) >= 64 ||
                                 std::abs(seen[a][p + 2] - seen[b][p + 2]) >= 64;
                    }
                    EXPECT_GE(plain * 60, seen[a].size())
                        << tiles[a].second << " and " << tiles[b].second << scale;
                }
            }
        }
    }
}

}  // namespace
