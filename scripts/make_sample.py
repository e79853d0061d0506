#!/usr/bin/env python3
"""Fills a folder with typical downloaded episode files (and a few that must stay) for the demo."""
import os
import sys

EPISODES = [
    # Title, season, episode title and release tags: the episode title is dropped.
    "Show.Name.S01E01.Pilot.720p.HDTV.x264-GRP.mkv",
    "Show.Name.S01E02.The.Second.One.720p.HDTV.x264-GRP.mkv",
    "Show.Name.S01E03.720p.HDTV.x264-GRP.mkv",
    "Show.Name.S01E04.Four.720p.HDTV.x264-GRP.mkv",
    "Show.Name.S01E04.Four.720p.HDTV.x264-GRP.srt",
    "Show.Name.S02E01.Return.1080p.WEB.h264-OTHER.mkv",
    "Show.Name.S02E02.1080p.WEB.h264-OTHER.mkv",
    "Show.Name.S02E03.Three.Ways.1080p.WEB.h264-OTHER.mkv",
    "Another.Show.s03e07.Title.PDTV.XviD-TEAM.avi",
    "Another.Show.s03e08.PDTV.XviD-TEAM.avi",
    "Another.Show.s03e09.The.End.PDTV.XviD-TEAM.avi",
    "Space.Drama.S05E09.Before.2160p.HEVC.x265-4K.mkv",
    "Space.Drama.S05E10.Finale.2160p.HEVC.x265-4K.mkv",
    "Old.Sitcom.S02E11.DVDRip.XviD-CLASSIC.avi",
    "Old.Sitcom.S02E12.Dinner.DVDRip.XviD-CLASSIC.avi",
    "Old.Sitcom.S02E13.DVDRip.XviD-CLASSIC.avi",
    "Crime.Files.S10E01.Cold.Case.480p.WEB.x264.mp4",
    "Crime.Files.S10E02.480p.WEB.x264.mp4",
    "Nature.Now.S01E05.Rivers.BDrip.AAC.mkv",
    "Nature.Now.S01E06.Oceans.BDrip.AAC.mkv",
    "Nature.Now.S01E07.Rerip.BDrip.AAC.mkv",
    "Kids.Toons.S04E01.576p.PDTV.mkv",
    "Kids.Toons.S04E02.576p.PDTV.mkv",
    # No release tag: every part but the extension names the folder.
    "Docu.Series.S01E01.Episode.Title.mkv",
    "Docu.Series.S01E02.Episode.Title.mkv",
    "Late.Talk.S12E99.WEB-DL.mkv",
    # "Aachen" holds the tag AAC, so the name is built as without a tag.
    "Aachen.Stories.S01E02.Pilot.720p.mkv",
    "Lower.case.s02e03.720p.mkv",
    "Small.Gem.S01E01.Start.720p.WEB.mkv",
]
STAY = [
    "README.txt",
    "S01E02.Name.First.720p.mkv",  # the episode token is the first part
    "Show.Name.S1E2.720p.mkv",  # not a season-and-episode part
    "Show.Name.S01E02E03.720p.mkv",  # too long for one
    "Late.Talk.S12E100.mkv",  # so is a three-digit episode
    "holiday-video.mp4",
    ".S01E02",  # no folder name at all
]


def main() -> None:
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name in EPISODES + STAY:
        with open(os.path.join(folder, name), "w") as f:
            f.write(name + "\n")
    # A folder of an earlier run stays as it is: sub-folders are never entered.
    extras = os.path.join(folder, "Extras")
    os.makedirs(extras, exist_ok=True)
    with open(os.path.join(extras, "Show.Name.S01E00.Making.Of.720p.mkv"), "w") as f:
        f.write("making of\n")


if __name__ == "__main__":
    main()
