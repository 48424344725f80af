#!/usr/bin/python3
"""The screen-reader harness's own parts that need no screen reader: reading Orca's log, matching
what was said, and the session made from the expectations."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import listen  # noqa: E402


class ReadingOrcasLog(unittest.TestCase):
    def test_each_phrase_without_its_voice_and_nothing_else(self):
        log = "\n".join([
            "16:14:16.279 - SPEECH OUTPUT: 'табулация ' {'established': False}",
            "16:14:16.280 - EVENT MANAGER: focus: for [list item | Блатар (Circus)]",
            "                                description='Семейство'",
            "16:14:16.367 - SPEECH OUTPUT: 'Блатар (Circus)'{'established': False}",
            "16:14:16.371 - SPEECH OUTPUT: 'избран' voice=system{'established': False}",
            "16:14:16.372 - SPEECH OUTPUT: 'Семейство Совови (Strigidae) включва:",
            "                  Бухал (Bubo bubo)'{'established': False}",
            "                  GENERATION TIME: 0.0010",
        ])
        self.assertEqual(listen.utterances(log), [
            "табулация ", "Блатар (Circus)", "избран",
            "Семейство Совови (Strigidae) включва:\nБухал (Bubo bubo)"])

    def test_a_log_cut_short_keeps_what_it_has(self):
        log = "16:14:16.372 - SPEECH OUTPUT: 'Семейство Совови (Strigidae) включва:"
        self.assertEqual(listen.utterances(log), ["Семейство Совови (Strigidae) включва:"])


class MatchingWhatWasSaid(unittest.TestCase):
    def test_spaces_of_any_kind_and_number_are_one(self):
        spoken = ["Белошипа ветрушка\u00a0 (Falco naumanni), Семейство Соколови (Falconidae)"]
        self.assertEqual(listen.missing(["Белошипа ветрушка  (Falco naumanni)",
                                         "Торхъл (Falco peregrinus)  "], spoken),
                         ["Торхъл (Falco peregrinus)  "])

    def test_a_phrase_is_not_pieced_together_from_two(self):
        self.assertEqual(listen.missing(["Блатар (Circus)"], ["Блатар", "(Circus)"]),
                         ["Блатар (Circus)"])


class TheSession(unittest.TestCase):
    expected = {
        "birds": [{"name": "A (a)", "family": 1, "textOpening": "Family 1\r\nGenus: A (a)\r\nis"},
                  {"name": "B (b)", "family": 2, "textOpening": "Family 2\r\nGenus: B (b)\r\nis"}],
        "familyCaptions": ["F0", "F1", "F2"],
        "familyListings": ["Family 0 has:\r\nC (c)\r\n", "x", "y"],
        "infoBoxName": "Box", "frameCaption": "Frame", "listHeading": "Heading",
    }

    def test_every_pick_is_heard_with_the_first_line_of_its_answer(self):
        steps = listen.session(self.expected)
        keys = [key for key, phrases in steps]
        self.assertEqual(steps[keys.index("space")][1], ["Family 0 has:"])
        down = keys.index("Down")
        self.assertEqual([phrases for key, phrases in steps[down:]], [
            ["A (a)", "Family 1"], ["B (b)", "Family 2"], ["Family 2"],
            ["F2"],  # back in the group, at the family the last name checked
            ["Box", "Family 2"]])

if __name__ == "__main__":
    unittest.main()
