#include "tests/support/board_text.h"

#include "model/board.h"

namespace {
bool ReadSquare(char letter, Cell& cell)
{
    cell = Cell{Covered, 0, 0, 0, 0.0f, 0, 0};
    switch (letter) {
    case '.':
        return true;
    case '*':
        cell.isMine = 1;
        return true;
    case 'f':
        cell.state = Marked;
        return true;
    case 'F':
        cell.state = Marked;
        cell.isMine = 1;
        return true;
    case 'M':
        cell.state = Revealed;
        cell.isMine = 1;
        return true;
    case 'X':
        cell.state = Exploded;
        cell.isMine = 1;
        return true;
    case 'B':
        cell.state = FalseMark;
        return true;
    case 'a':
    case 'A':
        cell.state = Revealed;
        cell.assumedSafe = 1;
        cell.isMine = letter == 'A';
        return true;
    default:
        if (letter >= '0' && letter <= '8') {
            cell.state = Revealed;
            cell.adjacentMines = letter - '0';
            return true;
        }
        return false;
    }
}

char SquareLetter(const Cell& cell)
{
    switch (cell.state) {
    case Covered:
        return cell.isMine ? '*' : '.';
    case Marked:
        return cell.isMine ? 'F' : 'f';
    case Exploded:
        return 'X';
    case FalseMark:
        return 'B';
    case Revealed:
        if (cell.assumedSafe)
            return cell.isMine ? 'A' : 'a';
        if (cell.isMine)
            return 'M';
        return cell.adjacentMines >= 0 && cell.adjacentMines <= 8 ? static_cast<char>('0' + cell.adjacentMines) : '?';
    default:
        return '?';
    }
}
}  // namespace

TextBoard BoardFromText(const std::vector<std::string>& rows)
{
    TextBoard result = {0, 0, nullptr};
    if (rows.empty() || rows[0].empty())
        return result;
    const int32_t width = static_cast<int32_t>(rows[0].size());
    const int32_t height = static_cast<int32_t>(rows.size());
    for (const std::string& row : rows)
        if (static_cast<int32_t>(row.size()) != width)
            return result;
    Board board = CreateBoard(width, height);
    if (board == nullptr)
        return result;
    for (int32_t x = 0; x < width; ++x) {
        for (int32_t y = 0; y < height; ++y) {
            if (!ReadSquare(rows[y][x], board[x][y])) {
                FreeBoard(width, height, board);
                return result;
            }
        }
    }
    return {width, height, board};
}

std::vector<std::string> BoardToText(int32_t width, int32_t height, Board board)
{
    std::vector<std::string> rows(height, std::string(width, '?'));
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            rows[y][x] = SquareLetter(board[x][y]);
    return rows;
}

std::string BoardToLine(int32_t width, int32_t height, Board board)
{
    std::string line;
    for (const std::string& row : BoardToText(width, height, board)) {
        if (!line.empty())
            line.push_back('/');
        line += row;
    }
    return line;
}
