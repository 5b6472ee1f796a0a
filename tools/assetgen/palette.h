// The one palette every picture of the game is drawn from, so that pictures drawn apart still
// fit together. Light comes from the top left; each material has two or three shades. Pure
// black is the transparent colour and never appears inside a picture: the darkest outline
// colour is near-black.
#pragma once

#include <cstdint>

namespace pal {
constexpr uint32_t Transparent = 0x000000;

// Neutral greys with a cool violet cast: outlines, stone, metal, shadows.
constexpr uint32_t Outline = 0x141018;  // the one-pixel outline of characters and items
constexpr uint32_t ShadowDeep = 0x2A2438;
constexpr uint32_t Shadow = 0x4A4060;
constexpr uint32_t Stone = 0x7A7288;
constexpr uint32_t StoneLight = 0xA8A0B4;
constexpr uint32_t White = 0xF4F0E8;
constexpr uint32_t Night = 0x10142C;  // deepest background blue: caves, night sky

// Warm: skin, hair, reds to yellows.
constexpr uint32_t Cream = 0xF0E0B0;  // window frames, paper
constexpr uint32_t Skin = 0xF4C8A0;
constexpr uint32_t SkinShadow = 0xD08868;
constexpr uint32_t HairDark = 0x6A2C24;
constexpr uint32_t Hair = 0xA8443A;
constexpr uint32_t RedDark = 0x8C1C28;
constexpr uint32_t Red = 0xD83A3A;
constexpr uint32_t Orange = 0xF08A2C;
constexpr uint32_t Yellow = 0xF8D848;
constexpr uint32_t GoldDark = 0xB08020;
constexpr uint32_t Pink = 0xF0A0C0;

// Wood and earth.
constexpr uint32_t EarthDark = 0x3C2A28;
constexpr uint32_t WoodDark = 0x5C3820;
constexpr uint32_t Earth = 0x7C5840;
constexpr uint32_t Wood = 0x8C5C30;
constexpr uint32_t WoodLight = 0xC08C50;

// Greens.
constexpr uint32_t ForestDeep = 0x1C3C2C;
constexpr uint32_t GrassDark = 0x2C6A30;
constexpr uint32_t Grass = 0x4CA040;
constexpr uint32_t Leaf = 0x8CD05C;

// Blues.
constexpr uint32_t WaterDark = 0x1C3C74;
constexpr uint32_t SkyDark = 0x284C94;
constexpr uint32_t Sky = 0x4C8CE0;
constexpr uint32_t SkyLight = 0x9CC8F4;
constexpr uint32_t Teal = 0x2C9C9C;
constexpr uint32_t Cyan = 0x7CE8E0;

// Violets: magic.
constexpr uint32_t PurpleDark = 0x44286C;
constexpr uint32_t Purple = 0x7C44B8;
constexpr uint32_t PurpleLight = 0xB88CE8;

// Every colour above but the transparent one, for the check that pictures use only these.
constexpr uint32_t kAll[] = {
    Outline, ShadowDeep, Shadow, Stone, StoneLight, White, Night,
    Cream, Skin, SkinShadow, HairDark, Hair, RedDark, Red, Orange, Yellow, GoldDark, Pink,
    EarthDark, WoodDark, Earth, Wood, WoodLight,
    ForestDeep, GrassDark, Grass, Leaf,
    WaterDark, SkyDark, Sky, SkyLight, Teal, Cyan,
    PurpleDark, Purple, PurpleLight,
};

// A material's shades under light from the top left.
struct Ramp {
  uint32_t light, mid, dark;
};
constexpr Ramp kSkin{Skin, Skin, SkinShadow};
constexpr Ramp kHair{Hair, Hair, HairDark};
constexpr Ramp kStone{StoneLight, Stone, Shadow};
constexpr Ramp kMetal{White, StoneLight, Stone};
constexpr Ramp kDarkMetal{Stone, Shadow, ShadowDeep};
constexpr Ramp kWood{WoodLight, Wood, WoodDark};
constexpr Ramp kEarth{WoodLight, Earth, EarthDark};
constexpr Ramp kGold{Yellow, Orange, GoldDark};
constexpr Ramp kRed{Orange, Red, RedDark};
constexpr Ramp kPurple{PurpleLight, Purple, PurpleDark};
constexpr Ramp kBlue{SkyLight, Sky, SkyDark};
constexpr Ramp kDeepBlue{Sky, SkyDark, WaterDark};
constexpr Ramp kGreen{Leaf, Grass, GrassDark};
constexpr Ramp kDeepGreen{Grass, GrassDark, ForestDeep};
constexpr Ramp kTeal{Cyan, Teal, WaterDark};
constexpr Ramp kCloth{White, Cream, StoneLight};
constexpr Ramp kPink{White, Pink, Red};
constexpr Ramp kDark{Shadow, ShadowDeep, Outline};
// One colour for details that take no shading (eyes, mouths, marks).
constexpr Ramp Flat(uint32_t c) { return Ramp{c, c, c}; }
}  // namespace pal
