// The game being played: its settings, its state and clock, the live board
// and its view, and the rules by which a game begins and ends.
#pragma once

#include "model/cell.h"
#include "platform/win32.h"
#include "view/cell_view.h"

// The size and mine count of the next new game.
struct GameSettings {
    int32_t columns;
    int32_t rows;
    int32_t mines;
};

enum GameState : uint32_t {
    Fresh = 0,
    Running = 1,
    Lost = 2,
    Won = 3,
};
static_assert(sizeof(GameState) == 4, "the game state is kept in 32 bits");

extern GameSettings gameSettings;
extern HMENU menuBar;
extern HMENU difficultyMenu;
extern Board liveBoard;
extern CellViewStore cellViews;
extern int32_t boardColumns;
extern int32_t boardRows;
extern GameState gameState;
extern int32_t minesLeft;
extern int32_t coveredCount;
extern int32_t shownMinesLeft;
extern Truth solving;
extern int32_t solvePass;

// Counts the games begun; a step that showed a message box compares it to
// learn whether a new game began meanwhile (the custom-game window works
// while a message box is up).
extern uint32_t gamesStarted;

int32_t GetSettingColumns();
int32_t GetSettingRows();
int32_t GetSettingMines();

// Stores the settings and starts a new game with them before it returns.
Truth SetGameSettings(int32_t columns, int32_t rows, int32_t mines);

// Releases the old board, rebuilds the view only when forced, missing or of
// another size, makes and mines the new board and draws it.
void NewGame(int32_t columns, int32_t rows, int32_t mines, Board* boardSlot, CellViewStore* viewSlot,
             Truth forceView);

// Whether there is a board and a view to play on: a new game whose memory ran
// out leaves none, and nothing may touch them until the next one.
Truth GameReady();

void StartClock();
void LoseGame();
void WinGame();

// Recounts marks and covered squares, wins the game when the mines not yet
// marked equal the covered squares, and redraws the counter on a change.
void TallyBoard();
