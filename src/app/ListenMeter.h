#pragma once

// The sign that Quavix is listening: a microphone and a row of rising bars that fill with the input's
// level, so a user sees at a glance that the microphone works. Drawn in the text colour alone, at paint
// time, so it reads the same without colour and at every screen ratio. A microphone struck through means
// listening has a problem (the status bar says which); a hollow one, that nothing is heard yet: the input
// is still starting, or Quavix's own note sounds.

#include <QBrush>
#include <QPixmap>
#include <QWidget>

#include <array>

namespace quavix {

class TListenMeter final : public QWidget {
    Q_OBJECT
public:
    enum class State : std::uint8_t { Listening, Waiting, Problem };
    static constexpr int Bars = 8;
    // The quietest level that lights a bar and the level that lights them all, in dB of full scale.
    static constexpr double QuietestDb = -60;
    static constexpr double LoudestDb = -6;

    explicit TListenMeter(QWidget* parent = nullptr);

    void ShowLevel(double rmsDb);
    void SetState(State state);
    State CurrentState() const { return state_; }
    // How many bars are lit now.
    int LitBars() const { return lit_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPixmap& Look(const QBrush& background, const QColor& ink);
    void DrawLook(QPainter& painter, const QBrush& background, const QColor& ink);

    State state_ = State::Listening;
    int lit_ = 0;
    // The whole meter as drawn with each number of bars lit, in the state, colours and screen ratio they
    // were drawn for: a level that comes and goes shows a picture drawn before.
    std::array<QPixmap, Bars + 1> looks_;
    State looksState_ = State::Listening;
    QBrush looksBackground_;
    QColor looksInk_;
    qreal looksRatio_ = 0;
};

} // namespace quavix
