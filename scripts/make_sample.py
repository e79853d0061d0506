#!/usr/bin/env python3
"""Fills a folder with typical downloaded episode files (and a few that must stay) for the demo."""
import os
import sys

EPISODES = [
    "Show.Name.S01E01.Pilot.720p.HDTV.x264-GRP.mkv",
    "Show.Name.S01E02.The.Second.One.720p.HDTV.x264-GRP.mkv",
    "Show.Name.S01E03.720p.HDTV.x264-GRP.mkv",
    "Show.Name.S02E01.Return.1080p.WEB.h264-OTHER.mkv",
    "Show.Name.S02E02.1080p.WEB.h264-OTHER.mkv",
    "Another.Show.s03e07.Title.HDTV.XviD-TEAM.avi",
    "Another.Show.s03e08.HDTV.XviD-TEAM.avi",
    "Docu.Series.S01E01.Episode.Title.mkv",
    "Docu.Series.S01E02.Episode.Title.mkv",
    "Space.Drama.S05E10.Finale.2160p.HEVC.x265-4K.mkv",
]
STAY = [
    "README.txt",
    "S01E02.Name.First.720p.mkv",  # the episode token is the first part
    "Show.Name.S1E2.720p.mkv",  # not a season-and-episode part
    "holiday-video.mp4",
]


def main() -> None:
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name in EPISODES + STAY:
        with open(os.path.join(folder, name), "w") as f:
            f.write(name + "\n")


if __name__ == "__main__":
    main()
