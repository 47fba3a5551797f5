#pragma once
// TFormationDisplay: the pitch of the custom formation window. It shows the roles of its own team's places
// 0..10 and, on each place, the name of the player the user fixed there: a left click on a place opens a
// drop-down of the names (keepers for place 0, field players for the others), a right click empties the
// place, and a name chosen for a second place leaves the first. The place under the mouse is drawn raised.
#include "core/Team.h"
#include "ui/TeamDisplay.h"

#include <QStringList>

#include <array>
#include <memory>

class QComboBox;

class TFormationDisplay : public TTeamDisplay {
  Q_OBJECT

public:
  static constexpr int PlaceCount = 11;

  // Placed like a team display; the bench is not used.
  TFormationDisplay(QWidget* owner, const QRect& rect);
  ~TFormationDisplay() override;

  // The roles of the places (slots 0..15; slots 0 and 11..15 keep their fixed roles).
  const TTeam& FormationTeam() const { return *FFormationTeam; }
  TRoleArray Roles() const { return FFormationTeam->GetAllRoleFlags(); }
  void SetRoles(const TRoleArray& roles);
  // The formation code's roles (the team's formation table).
  bool SetFormation(int code);

  // The names offered; names on the places that are not offered any more are removed.
  void SetNames(const QStringList& fieldNames, const QStringList& keeperNames);
  const QStringList& FieldNames() const { return FFieldNames; }
  const QStringList& KeeperNames() const { return FKeeperNames; }
  // The name on a place (0..10), empty for none.
  QString PlaceName(int place) const;
  // Puts the name on the place; a place that held it already is emptied. An empty name empties the place.
  void SetPlaceName(int place, const QString& name);
  void ClearNames();

  // ---- Mouse (public for tests) ----------------------------------------------------------------------------
  // A click on a place: left opens the drop-down over it, right empties it.
  void PlaceMouseDown(int place, Qt::MouseButton button);
  // The name at index of the drop-down goes onto its place; the drop-down hides.
  void BoxSelect(int index);
  QComboBox& Box() const { return *FBox; }
  // The place the drop-down serves (-1 when hidden) and the place under the mouse (-1 for none).
  int BoxPlace() const { return FBoxPlace; }
  int HotPlace() const { return FHotPlace; }
  void SetHotPlace(int place);

signals:
  void NamesChanged();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  void Redraw();
  void HideBox();
  int PlaceOf(const QObject* widget) const;

  std::unique_ptr<TTeam> FFormationTeam;
  std::array<QString, PlaceCount> FNames;
  QStringList FFieldNames;
  QStringList FKeeperNames;
  QComboBox* FBox = nullptr;
  int FBoxPlace = -1;
  int FHotPlace = -1;
};
