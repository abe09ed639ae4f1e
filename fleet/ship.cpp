// fleet/ship.cpp: a ship's identity and pictures, visibility, turning and sinking.
#include "fleet/ship.h"

#include <cstdio>

#include "platform/message_box.h"

namespace fleet {

Ship::Ship() = default;

void Ship::SetIdentity(std::int32_t newLength, std::uint32_t newShipId) {
    length = newLength;
    shipId = newShipId;
    std::snprintf(boatFileName, sizeof boatFileName, "boat%u.bmp", shipId);
    std::snprintf(boatVerticalFileName, sizeof boatVerticalFileName, "boat%ub.bmp", shipId);
    std::snprintf(sunkFileName, sizeof sunkFileName, "sunk%u.bmp", shipId);
    std::snprintf(sunkVerticalFileName, sizeof sunkVerticalFileName, "sunk%ub.bmp", shipId);
}

void Ship::LoadPictures(const char* folder) {
    const bool loaded = boatPicture.Load(folder, boatFileName) &&
                        boatVerticalPicture.Load(folder, boatVerticalFileName) &&
                        sunkPicture.Load(folder, sunkFileName) &&
                        sunkVerticalPicture.Load(folder, sunkVerticalFileName);
    // Only a complete set turns transparent: after a failure the pictures keep the mode they had.
    if (loaded) {
        boatPicture.SetDrawMode(imaging::DrawModeTransparent);
        boatVerticalPicture.SetDrawMode(imaging::DrawModeTransparent);
        sunkPicture.SetDrawMode(imaging::DrawModeTransparent);
        sunkVerticalPicture.SetDrawMode(imaging::DrawModeTransparent);
    }
    currentPicture = &boatPicture;
    if (!loaded) platform::MessageBox(nullptr, "Ship Bitmap Load Error!", "Error", platform::MB_OK);
}

void Ship::Rotate() {
    if (orientation == OrientationHorizontal) {
        orientation = OrientationVertical;
        currentPicture = &boatVerticalPicture;
    } else {
        orientation = OrientationHorizontal;
        currentPicture = &boatPicture;
    }
}

std::int32_t Ship::GetLength() const { return length; }

void Ship::SetVisible(std::uint8_t flag, platform::Window* window) {
    boatPicture.SetVisible(0, window);
    boatVerticalPicture.SetVisible(0, window);
    sunkPicture.SetVisible(0, window);
    sunkVerticalPicture.SetVisible(0, window);
    currentPicture->SetVisible(flag, window);
    visible = flag;
}

void Ship::Invalidate(platform::Window* window) { currentPicture->Invalidate(window); }

void Ship::Draw(platform::Window* window, platform::DeviceContext* target) {
    // A shown ship marks its rectangle on every draw; the painter's following paint takes it up.
    currentPicture->SetVisible(visible, window);
    currentPicture->Draw(target);
}

void Ship::Sink(platform::Window* window) {
    currentPicture->Invalidate(window);
    currentPicture = orientation == OrientationHorizontal ? &sunkPicture : &sunkVerticalPicture;
    SetVisible(1, window);
    currentPicture->Invalidate(window);
}

void Ship::Reset() {
    currentPicture = &boatPicture;
    orientation = OrientationHorizontal;
    SetVisible(1, nullptr);
}

}  // namespace fleet
