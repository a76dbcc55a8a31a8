#pragma once
// The copper analyses of a board: the continuity probe, which marks everything connected to
// the copper under a point, and the unused areas, which marks the copper nothing touches. Both
// work on the layout's copper as the board's cuts and drillings interrupt it, with all region
// tests at the resolution of zoom 10, whatever the view shows.

#include <memory>
#include <QtCore/QPoint>
#include <vector>

namespace karvel {

class TPlatine;
class TBauteil;

class CopperAnalysis {
public:
    explicit CopperAnalysis(TPlatine& board);
    ~CopperAnalysis();

    // Marks every copper piece and connection element connected to the copper under a point.
    void Probe(QPoint boardPoint);
    // Clears the marks of the last probe.
    void EndTest();
    // Marks every copper piece that no wire, lead or pin touches.
    void ShowUnused();
    void HideUnused();
    bool UnusedShown() const { return unusedShown_; }

    // The copper pieces of the last analysis: the layout's copper with its tracks split.
    const std::vector<TBauteil*>& Pieces() const { return pieces_; }
    const std::vector<TBauteil*>& Connections() const { return connections_; }

private:
    class Repainter;
    struct Scratch;
    void Rebuild(Scratch& scratch, Repainter& repaint);
    void CollectPieces(Scratch& scratch, Repainter& repaint);
    void CollectConnections();
    // Clears the probe's marks, or the unused marks, wherever the last analyses left them.
    void ClearMarks(bool testVoltage, Repainter& repaint);
    void Deselect();

    TPlatine& board_;
    std::vector<TBauteil*> pieces_;
    std::vector<TBauteil*> connections_;
    bool unusedShown_ = false;
};

} // namespace karvel
