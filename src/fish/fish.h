#pragma once

#include <array>
#include <cstdint>
#include <limits>

#include "fish/fin_wave.h"
#include "fish/fish_model.h"
#include "fish/point3.h"

// One fish of the aquarium. The table of 50 records is built once with the view and lives as long
// as it; the species counts only decide which records are shown and which skin each wears. A fish
// is steered through targets (heading, pitch, speed) that its current angles follow a little every
// frame; drawing a fish also advances it by one frame.
//
// All angles are whole degrees. Heading 0 points toward -x; heading h moves the fish by
// (-cos h, 0, sin h), so 90 points toward the viewer (+z) and 180 toward +x. Positive pitch climbs.

namespace veltamar {

constexpr int FISH_SEGMENTS = 15;  // body segments that bend while the fish turns

enum class WallContact : std::int32_t {
    None = 0,
    Left = 1,
    Right = 2,
    Back = 3,
    Front = 4,
    Top = 5,
    Bottom = 6
};

// How turnHeading changes the target heading.
enum HeadingTurn : int {
    TURN_RANDOM = 0,   // up to 169 degrees, away from 180
    TURN_REVERSE = 1,  // 180 degrees
    TURN_SLIDE = 2,    // 0..14 degrees by side
    TURN_QUARTER = 4,  // 90 degrees, only in the shelf band
    TURN_NUDGE = 5,    // 10..19 degrees by side
    TURN_ABOUT = 6,    // 180 degrees by side
    TURN_BY = 7,       // the given whole degrees by side
};

// How turnPitch changes the target pitch.
enum PitchTurn : int {
    PITCH_FLIP = 0,    // 15..29 degrees back toward level and beyond
    PITCH_MIRROR = 3,  // climb becomes dive and the other way round
    PITCH_NUDGE = 5,   // one degree up or down
    PITCH_BY = 7,      // the given degrees up or down, refused beyond +-90
};

// Which way the fish and its target point, as of its most recent movement step.
struct HeadingSideFlags {
    bool headingTowardMinusX = false;
    bool headingTowardPlusX = false;
    bool pitchUp = false;
    bool headingTowardMinusZ = false;
    bool headingTowardPlusZ = false;
    bool targetTowardMinusX = false;
    bool targetTowardPlusX = false;
    bool targetTowardMinusZ = false;
    bool targetTowardPlusZ = false;
};

// The box a fish must stay in; back is the smallest z, front the largest.
struct FishBounds {
    float xMin = 0.0f;
    float xMax = 0.0f;
    float top = 0.0f;
    float bottom = 0.0f;
    float back = 0.0f;
    float front = 0.0f;
};

// An axis-aligned box around a fish. A box that was never computed is empty (every minimum above
// every maximum, at infinity) and overlaps nothing, so a fish that has not moved yet takes part in
// no contact test.
struct FishBox {
    float xMax = -std::numeric_limits<float>::infinity();
    float xMin = std::numeric_limits<float>::infinity();
    float yMax = -std::numeric_limits<float>::infinity();
    float yMin = std::numeric_limits<float>::infinity();
    float zMax = -std::numeric_limits<float>::infinity();
    float zMin = std::numeric_limits<float>::infinity();

    bool isEmpty() const { return xMin > xMax || yMin > yMax || zMin > zMax; }
    // Overlap on all three axes, touching edges included; an empty box overlaps nothing.
    bool overlaps(const FishBox& other) const {
        return !isEmpty() && !other.isEmpty() && xMax >= other.xMin && other.xMax >= xMin &&
               yMax >= other.yMin && other.yMax >= yMin && zMax >= other.zMin && other.zMax >= zMin;
    }
};

using SegmentYaws = std::array<float, FISH_SEGMENTS>;

class Fish {
  public:
    // Initialises the record with its random size, target angles and wander timer, drawn from the
    // program's generator in a fixed order.
    Fish();
    virtual ~Fish() = default;
    Fish(const Fish&) = default;
    Fish& operator=(const Fish&) = default;

    // Draws the fish at the current model-view matrix (already at its position, its skin bound)
    // and advances it one frame: turn, fins, pitch, wander, then the move, bounds and boxes.
    void drawFish();

    // Steering: the only ways walls, wandering, food, other fish and the tools change a fish.
    void turnHeading(float amount, bool side, HeadingTurn kind);
    void turnPitch(float amount, bool side, PitchTurn kind);
    void approachSpeed(float step, float target);

    // The per-frame steps drawFish runs, in its order.
    SegmentYaws updateTurn();  // heading follows its target; returns the yaw of each body segment
    void updatePitch();
    void wanderStep();
    void stepFish();  // one movement step, then the bounds check
    void updateBoxes();

    // Parts of those steps.
    void updateSideFlags();
    void checkBounds();
    bool inShelfBand() const;
    // Builds partTransform: a rotation about the model's z axis by the yaw, as glRotatef builds it.
    void setPartTransform(float yawDegrees);

    std::array<float, 16> partTransform{};  // column-major; scratch for the part being drawn
    std::int32_t size = 2;                  // scale, 2..8
    float speed = 0.1f;                     // world units per step, 0.05..0.15
    float targetPitch = 0.0f;
    float targetHeading = 0.0f;
    float pitch = 0.0f;
    bool nearFood = false;
    float heading = 0.0f;
    std::int32_t headingTick = 0;  // 0..2: the heading moves every third frame
    bool turnDone = false;         // the heading has reached its target
    bool bendDone = false;         // the body segments have settled on the target
    std::array<std::int32_t, FISH_SEGMENTS> segmentYaw{};
    float lastTargetHeading = 0.0f;
    FinWave pectoralWave = PECTORAL_WAVE_START;
    FinWave tailWave = TAIL_WAVE_START;
    Point3 position;
    HeadingSideFlags headingSideFlags;
    FishBounds bounds;
    WallContact wallContact = WallContact::None;
    std::int32_t wanderTimer = 0;  // frames since the last wander event
    float lengthFactor = 1.0f;     // dimensions per unit of size
    float widthFactor = 0.34605f;
    float heightFactor = 0.2778f;
    FishBox bodyBox;
    FishBox contactBox;  // bodyBox enlarged, for fish-to-fish contact
    Point3 noseTip;
    Point3 tailTip;
    bool inContact = false;

  private:
    void drawPart(FishPart part, const SegmentYaws& yaws, const std::array<float, FIN_WAVE_VALUES>& tail,
                  const std::array<float, FIN_WAVE_VALUES>& pectoral);
};

}  // namespace veltamar
