// The command ids of the menu bar; the keys, the face and the settings send
// the same commands to the main window.
#pragma once

enum CommandId : unsigned short {
    CommandNewGame = 10000,
    CommandBeginner = 10001,
    CommandIntermediate = 10002,
    CommandExpert = 10003,
    CommandCustom = 10004,
    CommandExit = 10006,
    CommandSolve = 10007,
    CommandAbout = 10008,
    CommandHint = 10009,
    CommandHowToPlay = 10011,
    CommandAboutSolver = 10012,
};

// Positions of the Game drop-down that carry the difficulty radio check.
enum DifficultyPosition : unsigned {
    PositionBeginner = 2,
    PositionIntermediate = 3,
    PositionExpert = 4,
    PositionCustom = 5,
};
