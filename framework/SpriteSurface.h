#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/Control.h"
#include "framework/Picture.h"

class SpriteSurface;

// A picture placed on a sprite surface. The game may keep a sprite after it
// is closed (reading a closed sprite is harmless); it simply is no longer shown
// and takes part in no collision.
class Sprite : public std::enable_shared_from_this<Sprite> {
  public:
    int X() const { return x_; }
    int Y() const { return y_; }
    void SetX(int x);
    void SetY(int y);
    // The collision group: sprites of groups that are non-zero and different collide.
    int Group() const { return group_; }
    void SetGroup(int group);
    // The very picture object the sprite was made with.
    const PictureRef& Image() const { return image_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Close();
    bool Closed() const { return surface_ == nullptr; }

  private:
    friend class SpriteSurface;
    Sprite(SpriteSurface* surface, PictureRef image, int x, int y, std::uint64_t serial);

    SpriteSurface* surface_;
    PictureRef image_;
    int x_;
    int y_;
    int width_;
    int height_;
    int group_ = 0;
    std::uint64_t serial_;  // creation order: later sprites are drawn on top
    bool indexed_ = false;  // in the collision grid
    bool dirty_ = false;    // moved, regrouped or new since the last collision pass
    std::int64_t cell_ = 0;
};

using SpriteRef = std::shared_ptr<Sprite>;

// A field of sprites that the game advances one frame per Update.
//
// Update raises NextFrame, then Collision once for each pair of overlapping
// sprites whose groups are non-zero and different, the newer sprite of the
// pair named first. Sprites that merely touch at an edge do not overlap.
// Handlers may create and close sprites and may close the surface: a sprite
// closed during the frame raises nothing more, and a closed surface raises
// nothing at all. Sprites made during the collision pass are first tested in
// the next Update.
//
// Only sprites that moved or changed group since the last pass are tested
// against their neighbours in a grid, so the cost of a frame does not grow
// with the number of sprites resting on the surface.
class SpriteSurface : public Control {
    Q_OBJECT
  public:
    SpriteSurface(const QString& name, QWidget* parent, int width, int height);
    ~SpriteSurface() override;

    SpriteRef NewSprite(PictureRef picture, int x, int y);
    void Update();
    // True while the key of that virtual code is held down, and also for a
    // press made since the previous frame that is already over: a tap between
    // two frames counts at the next one. Presses from before the latest frame
    // or from before a sprite was placed outside a frame do not count, so
    // keys pressed while nothing moved (before a game, in another window)
    // never reach the first frame.
    bool KeyTest(int code) const;
    // Ends the frames; what is on the surface stays shown.
    void Close();
    bool Closed() const { return closed_; }

    std::function<void()> NextFrame;
    std::function<void(const SpriteRef& first, const SpriteRef& second)> Collision;

    // The sprites on the surface, oldest first.
    std::vector<SpriteRef> Sprites() const;
    int SpriteCount() const { return static_cast<int>(sprites_.size()) - closedCount_; }
    // How many candidate pairs the collision passes have tested so far; lets
    // a check see that resting sprites cost nothing per frame.
    std::uint64_t PairTests() const { return pairTests_; }

  private:
    friend class Sprite;
    friend class SurfaceView;
    using Pair = std::pair<SpriteRef, SpriteRef>;

    void Moved(Sprite* sprite);
    void Regrouped(Sprite* sprite);
    void Closing(Sprite* sprite);
    void Index(Sprite* sprite);
    void Unindex(Sprite* sprite);
    void MarkDirty(Sprite* sprite);
    std::vector<Pair> OverlappingPairs();
    void Compact();
    void Repaint();
    static bool Collide(const Sprite& a, const Sprite& b);

    bool closed_ = false;
    bool updating_ = false;
    std::uint64_t nextSerial_ = 0;
    int closedCount_ = 0;
    std::uint64_t pairTests_ = 0;
    std::uint64_t keyMark_;  // key presses up to this number are too old for KeyTest
    int largestSide_ = 32;
    std::vector<SpriteRef> sprites_;
    std::vector<SpriteRef> dirty_;
    std::vector<Pair> lastPairs_;
    std::unordered_map<std::int64_t, std::vector<Sprite*>> grid_;
};
