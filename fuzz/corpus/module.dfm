object AddInModule: TDataModule
  Tag = -3
  object Timer1: TTimer
    Enabled = False
    Interval = $10
    Tag = 1
  end
  object Form1: TForm
    Caption = 'Track +'#13#10'Send' +
      ' more'#$20AC
  end
end
