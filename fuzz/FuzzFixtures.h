#pragma once
// The snapshot a fuzzed ".raf" file is read against (two players of the players fixture), and the column
// titles of the fuzzed grid files: the seed writer writes its seeds for both.
#include <string>
#include <vector>

inline constexpr const char* FuzzSnapshotPlayers = R"(<?xml version="1.0" encoding="utf-8"?>
<KickvaleData>
<FileName>players.asp</FileName>
<UserID>4593312</UserID>
<FetchedDate>2005-03-12 10:41:07</FetchedDate>
<Team>
  <TeamID>177327</TeamID>
  <TeamName>FC Südstadt</TeamName>
  <PlayerList>
    <Player>
      <PlayerID>212345678</PlayerID>
      <PlayerName>Kjetil Ødegård</PlayerName>
      <Age>24</Age>
      <InjuryLevel>-1</InjuryLevel>
      <PlayerForm>8</PlayerForm>
      <StaminaSkill>5</StaminaSkill>
      <PlaymakerSkill>1</PlaymakerSkill>
      <ScorerSkill>1</ScorerSkill>
      <PassingSkill>2</PassingSkill>
      <WingerSkill>1</WingerSkill>
      <SetPiecesSkill>3</SetPiecesSkill>
      <DefenderSkill>3</DefenderSkill>
      <KeeperSkill>10</KeeperSkill>
      <Experience>1</Experience>
      <Leadership>4</Leadership>
      <Salary>4200</Salary>
      <TSI>2750</TSI>
      <CareerGoals>0</CareerGoals>
      <LeagueGoals>0</LeagueGoals>
      <CupGoals>0</CupGoals>
      <FriendliesGoals>0</FriendliesGoals>
      <CareerKickvales>0</CareerKickvales>
      <CountryID>38</CountryID>
      <Cards>0</Cards>
      <Specialty>0</Specialty>
      <TransferListed>0</TransferListed>
      <Agreeability>2</Agreeability>
      <Honesty>2</Honesty>
      <Aggressiveness>2</Aggressiveness>
      <TrainerData />
    </Player>
    <Player>
      <PlayerID>198765432</PlayerID>
      <PlayerName>José  María   Núñez</PlayerName>
      <Age>27</Age>
      <InjuryLevel>-1</InjuryLevel>
      <PlayerForm>7</PlayerForm>
      <StaminaSkill>7</StaminaSkill>
      <PlaymakerSkill>9</PlaymakerSkill>
      <ScorerSkill>6</ScorerSkill>
      <PassingSkill>7</PassingSkill>
      <WingerSkill>4</WingerSkill>
      <SetPiecesSkill>5</SetPiecesSkill>
      <DefenderSkill>3</DefenderSkill>
      <KeeperSkill>1</KeeperSkill>
      <Experience>5</Experience>
      <Leadership>3</Leadership>
      <Salary>15600</Salary>
      <TSI>8920</TSI>
      <CareerGoals>14</CareerGoals>
      <LeagueGoals>9</LeagueGoals>
      <CupGoals>2</CupGoals>
      <FriendliesGoals>3</FriendliesGoals>
      <CareerKickvales>1</CareerKickvales>
      <CountryID>12</CountryID>
      <Cards>1</Cards>
      <Specialty>1</Specialty>
      <TransferListed>0</TransferListed>
      <Agreeability>3</Agreeability>
      <Honesty>2</Honesty>
      <Aggressiveness>1</Aggressiveness>
    </Player>
  </PlayerList>
</Team>
</KickvaleData>)";

inline const std::vector<std::string>& FuzzGridTitles() {
  static const std::vector<std::string> titles = {"Name", "ID", "Value", "Form"};
  return titles;
}
