// resources/resource_ids.h: the ids of the resources built into the program and of the commands
// its menu sends.
#pragma once

namespace resources {

constexpr int IDR_MAIN_MENU = 101;
constexpr int IDB_STARTUP = 102;
constexpr int IDB_ABOUT = 103;
constexpr int IDI_TIDEWRACK = 104;
constexpr int IDB_WIN = 105;
constexpr int IDB_LOSS = 106;
constexpr int IDB_TIE = 107;
// Each picture above drawn at twice its size, for scaled screens, has its id plus this.
constexpr int DoubleSizeBitmapOffset = 1000;

constexpr int IDM_EXIT = 40005;
constexpr int IDM_SOUND_ON = 40007;
constexpr int IDM_SOUND_OFF = 40008;
constexpr int IDM_SIZE_640 = 40009;
constexpr int IDM_SIZE_800 = 40010;
constexpr int IDM_SIZE_1024 = 40011;
constexpr int IDM_NEW = 40012;
constexpr int IDM_OPPONENT_STANDARD = 40013;
constexpr int IDM_OPPONENT_EXPERT = 40014;
constexpr int IDM_STATISTICS = 40015;
constexpr int IDM_HOST_NETWORK = 40016;
constexpr int IDM_JOIN_NETWORK = 40017;

}  // namespace resources
