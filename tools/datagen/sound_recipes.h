// sound_recipes.h: one recipe per sound effect. Each returns the raw sound at
// 44100 Hz; sounds.cpp finishes (fades, peak) and encodes it. Recipes use fixed
// seeds, so they always give the same samples.
#pragma once

#include "synth.h"

// The board (sound_board.cpp).
Wave buildSelectBall();
Wave buildSelectAim();
Wave buildBallStand();
Wave buildAddBall();
Wave buildBall();
Wave buildScore();
Wave buildSquare();
Wave buildChain();
Wave buildDiamond();
Wave buildDiamondZap();
Wave buildBomb1();
Wave buildBomb2();
Wave buildHammer();
Wave buildDeleteBalls();

// Rewards, jingles and the interface (sound_jingles.cpp).
Wave buildAddBonus();
Wave buildGetHammer();
Wave buildExcellent();
Wave buildAddLife();
Wave buildWow();
Wave buildLevelComplete();
Wave buildLevelDefeat();
Wave buildDefeat();
Wave buildMenu();
Wave buildMenu2();
Wave buildChpok();
Wave buildGaf();

// Ambience (sound_ambience.cpp).
Wave buildBirds1();
Wave buildBirds2();
Wave buildBirds3();
Wave buildWaterfall();
Wave buildBrook();
