// The places where the game shows each map: where a scene, a door or a warp puts the heroine, the
// camera it sets there, whether the camera then follows her, and the far picture of that scene.
// The previews draw the screens at these places, and the map tests check every screen the camera
// can show from them.
#pragma once

struct ScenePlace {
  const char* map;
  int x, y;                // her PosX, PosY where she is put; x -1: nobody, only the view
  int camera_x, camera_y;  // the camera the scene or the event sets
  bool follow;             // the camera follows her from there; else it stays at that view
  int far_picture;         // the bitmap of the scene's far picture
  const char* what;
};

inline constexpr ScenePlace kScenePlaces[] = {
    {"TEST0000", 104, 152, 0, 0, true, 189, "the object test (scene -2)"},
    {"TEST0000", 904, 516, 850, 400, true, 159, "the gorilla house (scene 1000, event 500)"},
    // The opening holds the camera (it follows nobody) and scrolls it east with her walk.
    {"LAFOREST", 750, 2626, 820, 2408, false, 113, "the forest road where the opening starts (scene -1)"},
    {"LAFOREST", -1, 0, 1940, 2408, false, 113, "the end of the opening's scroll along the road"},
    {"LTOWN001", 1308, 706, 992, 480, true, 113, "the first town (scene 0)"},
    {"TEMPLE00", 76, 336, 0, 64, false, 113, "the save room (scene 110)"},
    {"TITLE001", -1, 0, 0, 0, false, 197, "the title's backdrop (scene 210)"},
    {"TITLE001", -1, 0, 0, 480, false, 197, "the title's menu"},
    {"L001CAVE", 544, 200, 992, 240, true, 159, "where the opening drops her (scene 500)"},
    {"L001CAVE", 1112, 2008, 816, 1768, true, 159, "out of the pipe (guide 700)"},
    {"LTOWNMID", 4156, 1924, 992, 480, true, 113, "the town (scene 600, event 400)"},
    {"LTOWNMID", 3576, 2056, 992, 480, true, 113, "out of the inn (door 270)"},
    {"LTOWNMID", 5464, 2052, 992, 480, true, 113, "out of the clinic (door 315)"},
    {"LTOWNMID", 264, 1836, 992, 480, true, 113, "out of the teacher's house (door 321)"},
    {"LTOWNSHP", 40, 1172, 0, 960, true, 113, "the inn's lobby (door 269)"},
    {"LTOWNSHP", 2632, 712, 2568, 488, false, 113, "inn room B (door 271)"},
    {"LTOWNSHP", 3268, 712, 3208, 488, false, 113, "inn room C (door 272)"},
    {"LTOWNSHP", 3912, 712, 3848, 488, false, 113, "inn room D (door 273)"},
    {"LTOWNSHP", 1208, 872, 1224, 936, true, 113, "the inn's upper hall (door 276)"},
    {"LTOWNSHP", 1468, 872, 1484, 936, true, 113, "the inn's upper hall (door 277)"},
    {"LTOWNSHP", 1720, 872, 1736, 936, true, 113, "the inn's upper hall (door 278)"},
    {"LTOWNSHP", 556, 232, 0, 0, false, 113, "the clinic (door 314)"},
    {"LTOWNSHP", 112, 232, 0, 0, false, 113, "the consultation room (event 317)"},
    {"LTOWNSHP", 1840, 232, 1280, 0, false, 113, "the teacher's house (door 320)"},
    {"LTOWNSHP", 1352, 232, 1280, 0, false, 113, "the teacher's house (door 323)"},
    {"LTOWNSHP", 1432, 232, 1280, 0, false, 113, "the teacher's house (door 328)"},
    {"LTOWNSHP", 2592, 168, 2568, 0, false, 113, "the teacher's room (event 322)"},
    {"LTOWNSHP", 1952, 236, 1920, 0, false, 113, "her own room (event 327)"},
    {"LTOWNSHP", 1656, 1824, 1616, 1548, false, 113, "the cellar (event 160)"},
    {"LTOWNSHP", 3763, 864, 3447, 617, true, 113, "the hidden room (event 161)"},
    {"BOSS0001", 176, 960, 0, 760, true, 189, "the boss room (scene 700)"},
    {"CORRIDOR", 76, 336, 0, 64, true, 187, "the corridor (scene 900)"},
};
